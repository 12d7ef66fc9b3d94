#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/sound_player.h"
#include "wav_file.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::level;
using testsupport::wavBytes;

namespace {

constexpr int kDeviceRate = 44100;
// A steady level comes out of the resampler within a few parts in a thousand.
constexpr int kResamplingRipple = 60;

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("sound-test-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        output_ = dir_ / "device.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    }
    void TearDown() override
    {
        fs::remove_all(dir_);
        unsetenv("SDL_DISKAUDIODELAY");
    }

    fs::path wav(const std::string& name, const std::vector<std::int16_t>& samples, int rate = 22050)
    {
        const fs::path path = dir_ / name;
        testsupport::writeFile(path, wavBytes(samples, rate));
        return path;
    }

    long countOf(std::int16_t value) const
    {
        const auto out = testsupport::readDeviceOutput(output_);
        return std::count_if(out.begin(), out.end(),
                             [value](std::int16_t s) { return std::abs(s - value) <= kResamplingRipple; });
    }

    fs::path dir_;
    fs::path output_;
};

} // namespace

TEST_F(SoundPlayerTest, PlaysTheWholeFileAtItsTruePace)
{
    {
        platform::SoundPlayer player;
        const auto started = std::chrono::steady_clock::now();
        player.play(wav("tone.wav", level(6000, 0.25)));
        EXPECT_LT(std::chrono::steady_clock::now() - started, 20ms) << "play returns at once";
        std::this_thread::sleep_for(700ms);
    }
    // A quarter second at the device's rate, whatever the file's own rate.
    EXPECT_NEAR(countOf(6000), kDeviceRate / 4, kDeviceRate / 50);
}

TEST_F(SoundPlayerTest, LaterCallCutsOffTheSoundStillPlaying)
{
    {
        platform::SoundPlayer player;
        player.play(wav("long.wav", level(6000, 3.0)));
        std::this_thread::sleep_for(300ms);
        player.play(wav("short.wav", level(-6000, 0.2, 11025), 11025));
        std::this_thread::sleep_for(600ms);
    }
    EXPECT_GT(countOf(6000), 0);
    EXPECT_LT(countOf(6000), kDeviceRate) << "the long sound was cut off";
    EXPECT_NEAR(countOf(-6000), kDeviceRate / 5, kDeviceRate / 50);
}

// A device much faster than a sound card empties its queue between the
// player's top-ups again and again. While the sound is still being converted
// that is no quiet spell: the device stays open and the sound arrives whole.
TEST_F(SoundPlayerTest, TheDeviceStaysOpenUntilALongSoundIsQueuedWhole)
{
    setenv("SDL_DISKAUDIODELAY", "1", 1);
    const long whole = 10L * kDeviceRate;
    platform::SoundPlayer player;
    player.play(wav("long.wav", level(6000, 10.0)));
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (countOf(6000) < whole - kDeviceRate / 50 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    EXPECT_NEAR(countOf(6000), whole, kDeviceRate / 50);
}

TEST_F(SoundPlayerTest, UnplayableFilesAreSilenceAndPlayingGoesOn)
{
    const auto good = wavBytes(level(6000, 0.1));
    const fs::path missing = dir_ / "missing.wav";
    const fs::path empty = dir_ / "empty.wav";
    testsupport::writeFile(empty, {});
    const fs::path truncated = dir_ / "truncated.wav";
    testsupport::writeFile(truncated, {good.begin(), good.begin() + 30});
    const fs::path garbage = dir_ / "garbage.wav";
    testsupport::writeFile(garbage, std::vector<std::uint8_t>(4000, 0xA5));
    const fs::path folder = dir_ / "folder.wav";
    fs::create_directories(folder);
    {
        platform::SoundPlayer player;
        for (const fs::path& bad : {missing, empty, truncated, garbage, folder}) {
            player.play(bad);
            player.waitUntilIdle();
        }
        std::this_thread::sleep_for(100ms);
        EXPECT_EQ(countOf(6000), 0);
        player.play(wav("good.wav", level(6000, 0.1)));
        std::this_thread::sleep_for(400ms);
    }
    EXPECT_NEAR(countOf(6000), kDeviceRate / 10, kDeviceRate / 50);
}

TEST(SoundPlayerWithoutDevice, PlaysNothingAndFailsNothing)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    platform::SoundPlayer player;
    player.play("/nonexistent/Europa/inno.wav");
    player.waitUntilIdle();
    player.play("/nonexistent/Europa/Esatto.wav");
    player.waitUntilIdle();
    SUCCEED();
}
