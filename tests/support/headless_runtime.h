#pragma once

#include <filesystem>
#include <random>

#include "game/services.h"

namespace sound {
class SoundPlayer;
}

namespace testsupport {

// What the window would do, minus the window: boxes are counted and closed at
// once, sounds go to the real sound service, the draws follow a fixed seed.
class HeadlessRuntime final : public game::Runtime {
public:
    HeadlessRuntime(sound::SoundPlayer& player, std::filesystem::path folder);

    void msgBox(std::string_view, game::BoxStyle, std::optional<std::string_view>) override { ++boxes; }
    void playSound(const std::string& fullPath) override;
    void randomize() override {}
    float rnd() override;
    std::string appPath() override { return folder_.string(); }
    void end() override { ended = true; }

    int boxes = 0;
    bool ended = false;

private:
    sound::SoundPlayer& player_;
    std::filesystem::path folder_;
    std::mt19937 random_{2024};
};

} // namespace testsupport
