#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "game/quiz.h"
#include "game/services.h"

namespace testsupport {

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

// The game's runtime for tests: every box, sound, draw and end is recorded,
// and the draws are the ones the test chooses. Boxes and the end of the
// program can be passed on to a real runtime as well, for a test of the window
// that closes real boxes and sees the program end.
class RecordingRuntime final : public game::Runtime {
public:
    RecordingRuntime() : log_(ownLog_) {}
    // Records into `log`, shared with the controls so one list holds both.
    explicit RecordingRuntime(Log& log) : log_(log) {}

    void passBoxesAndEndTo(game::Runtime& real) { real_ = &real; }
    // Every draw after the scripted ones gives `value`.
    void setRandom(float value) { fixed_ = value; }

    void msgBox(std::string_view prompt, game::BoxStyle style,
                std::optional<std::string_view> title) override;
    void playSound(const std::string& fullPath) override;
    void randomize() override;
    float rnd() override;
    std::string appPath() override { return folder; }
    void end() override;

    std::string folder = "/quiz";
    std::deque<float> scripted;  // values rnd() hands out first
    std::vector<Box> boxes;
    std::vector<std::string> sounds;
    std::function<void()> onBox;   // runs while a box is open
    std::function<void()> onSound; // runs as a sound starts
    int seeds = 0;
    int ends = 0;

private:
    Log ownLog_;
    Log& log_;
    game::Runtime* real_ = nullptr;
    std::optional<float> fixed_;
    std::mt19937 engine_{1};
};

// The window's controls, recorded.
class RecordingForm final : public game::FormControls {
public:
    explicit RecordingForm(Log& log) : log_(log) {}

    void setLblreg(std::string_view caption) override;
    void setLblpunti(std::string_view caption) override;
    void setLblerrori(std::string_view caption) override;
    void setCommand2Visible(bool visible) override;
    void cls() override { log_.add("cls"); }

    std::string lblreg;
    std::string lblpunti = "0";
    std::string lblerrori = "0";
    bool command2Visible = true;
    std::function<void()> onCommand2;

private:
    Log& log_;
};

// The random value that draws country `number`: the middle of its slot.
constexpr float randomFor(int number)
{
    return (static_cast<float>(number) - 0.5f) / 29.0f;
}

// The game state a test starts from.
game::GameState startingWith(std::int16_t caso, std::int16_t punti, std::int16_t errori);

// A quiz wired to a recording runtime and recording controls.
struct RecordedGame {
    explicit RecordedGame(game::GameState initial = {}) : quiz(runtime, form, initial) {}

    Log log;
    RecordingRuntime runtime{log};
    RecordingForm form{log};
    game::Quiz quiz;
};

} // namespace testsupport
