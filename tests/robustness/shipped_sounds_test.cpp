#include <gtest/gtest.h>

#include "sound/sound_loader.h"
#include "sound_folder.h"
#include "whole_sound.h"

namespace {

// The player reads WAV files strictly; whatever made the game's own sounds
// must have written them in a form it plays.
TEST(ShippedSounds, EveryOneIsPlayable)
{
    const std::filesystem::path folder = EUROPA_SHIPPED_SOUNDS;
    if (!std::filesystem::is_directory(folder / "Europa") || std::filesystem::is_empty(folder / "Europa"))
        GTEST_SKIP() << "this tree carries no sounds";
    for (const auto& relative : testsupport::gameSoundFiles()) {
        const auto samples = testsupport::loadSound(testsupport::soundFileIn(folder, relative).string());
        ASSERT_TRUE(samples) << relative;
        EXPECT_GT(samples->size(), static_cast<std::size_t>(sound::kDeviceRate / 10)) << relative;
    }
}

} // namespace
