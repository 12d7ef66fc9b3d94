#include "recording_runtime.h"

#include "platform/clock_random.h"

namespace testsupport {

void RecordingRuntime::msgBox(std::string_view prompt, game::BoxStyle style,
                              std::optional<std::string_view> title)
{
    boxes.push_back({std::string(prompt), style,
                     title ? std::optional<std::string>(*title) : std::nullopt});
    log_.add("box:" + std::string(prompt));
    if (onBox)
        onBox();
    if (real_ != nullptr)
        real_->msgBox(prompt, style, title);
}

void RecordingRuntime::playSound(const std::string& fullPath)
{
    sounds.push_back(fullPath);
    log_.add("sound:" + fullPath);
    if (onSound)
        onSound();
}

void RecordingRuntime::randomize()
{
    ++seeds;
    log_.add("randomize");
    engine_.seed(static_cast<std::uint32_t>(seeds));
}

float RecordingRuntime::rnd()
{
    log_.add("rnd");
    if (!scripted.empty()) {
        const float r = scripted.front();
        scripted.pop_front();
        return r;
    }
    if (fixed_)
        return *fixed_;
    return platform::unitFromBits(engine_());
}

void RecordingRuntime::end()
{
    ++ends;
    log_.add("end");
    if (real_ != nullptr)
        real_->end();
}

void RecordingForm::setLblreg(std::string_view caption)
{
    lblreg = caption;
    log_.add("lblreg:" + lblreg);
}

void RecordingForm::setLblpunti(std::string_view caption)
{
    lblpunti = caption;
    log_.add("lblpunti:" + lblpunti);
}

void RecordingForm::setLblerrori(std::string_view caption)
{
    lblerrori = caption;
    log_.add("lblerrori:" + lblerrori);
}

void RecordingForm::setCommand2Visible(bool visible)
{
    command2Visible = visible;
    log_.add(visible ? "show Command2" : "hide Command2");
    if (onCommand2)
        onCommand2();
}

game::GameState startingWith(std::int16_t caso, std::int16_t punti, std::int16_t errori)
{
    game::GameState state;
    state.caso = caso;
    state.punti = punti;
    state.errori = errori;
    return state;
}

} // namespace testsupport
