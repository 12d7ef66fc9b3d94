#pragma once

#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "game/quiz.h"
#include "game/services.h"

namespace fakes {

// One ordered record of everything the game did to the window and the runtime,
// so a test can read the order of effects as a list.
struct Log {
    std::vector<std::string> entries;
    void add(std::string entry) { entries.push_back(std::move(entry)); }
};

struct Box {
    std::string prompt;
    game::BoxStyle style;
    std::optional<std::string> title;
};

class Runtime final : public game::Runtime {
public:
    explicit Runtime(Log& log) : log_(log) {}

    void msgBox(std::string_view prompt, game::BoxStyle style,
                std::optional<std::string_view> title) override
    {
        boxes.push_back({std::string(prompt), style,
                         title ? std::optional<std::string>(*title) : std::nullopt});
        log_.add("box:" + std::string(prompt));
        if (onBox)
            onBox();
    }
    void playSound(const std::string& fullPath) override
    {
        sounds.push_back(fullPath);
        log_.add("sound:" + fullPath);
    }
    void randomize() override
    {
        ++seeds;
        log_.add("randomize");
        engine.seed(static_cast<std::uint32_t>(seeds));
    }
    float rnd() override
    {
        log_.add("rnd");
        if (!scripted.empty()) {
            const float r = scripted.front();
            scripted.pop_front();
            return r;
        }
        return static_cast<float>(engine() >> 8) * 0x1p-24f;
    }
    std::string appPath() override { return folder; }
    void end() override
    {
        ++ends;
        log_.add("end");
    }

    std::string folder = "/opt/europa";
    std::deque<float> scripted;  // values rnd() hands out before falling back to the engine
    std::vector<Box> boxes;
    std::vector<std::string> sounds;
    std::function<void()> onBox; // runs while a box is "open"
    int seeds = 0;
    int ends = 0;
    std::mt19937 engine{1};

private:
    Log& log_;
};

class Form final : public game::FormControls {
public:
    explicit Form(Log& log) : log_(log) {}

    void setLblreg(std::string_view caption) override
    {
        lblreg = caption;
        log_.add("lblreg:" + lblreg);
    }
    void setLblpunti(std::string_view caption) override
    {
        lblpunti = caption;
        log_.add("lblpunti:" + lblpunti);
    }
    void setLblerrori(std::string_view caption) override
    {
        lblerrori = caption;
        log_.add("lblerrori:" + lblerrori);
    }
    void setCommand2Visible(bool visible) override
    {
        command2Visible = visible;
        log_.add(visible ? "show Command2" : "hide Command2");
        if (onCommand2)
            onCommand2();
    }
    void cls() override { log_.add("cls"); }

    std::string lblreg;
    std::string lblpunti = "0";
    std::string lblerrori = "0";
    bool command2Visible = true;
    std::function<void()> onCommand2;

private:
    Log& log_;
};

// The game state a test starts from.
inline game::GameState startingWith(std::int16_t caso, std::int16_t punti, std::int16_t errori)
{
    game::GameState state;
    state.caso = caso;
    state.punti = punti;
    state.errori = errori;
    return state;
}

// A quiz wired to recording fakes.
struct Game {
    explicit Game(game::GameState initial = {}) : quiz(runtime, form, initial) {}

    Log log;
    Runtime runtime{log};
    Form form{log};
    game::Quiz quiz;
};

} // namespace fakes
