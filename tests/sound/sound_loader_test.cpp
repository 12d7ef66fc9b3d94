#include <gtest/gtest.h>

#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "sound/sound_loader.h"
#include "layout_case.h"
#include "tone_measure.h"
#include "wav_builder.h"
#include "whole_sound.h"

namespace {

namespace fs = std::filesystem;
using sound::kDeviceRate;
using sound::readSoundFile;
using testsupport::decodeSound;
using testsupport::LayoutCase;
using testsupport::WavLayout;

class DecodedLayout : public ::testing::TestWithParam<LayoutCase> {};

// Every layout comes out at the device's rate with its pitch, length and
// loudness intact: a wrong rate shifts the pitch, a wrong sample type turns
// the tone into noise or changes its level.
TEST_P(DecodedLayout, KeepsPitchLengthAndLevel)
{
    const WavLayout& layout = GetParam().layout;
    constexpr double kHertz = 440.0;
    constexpr double kSeconds = 0.25;
    const auto samples = decodeSound(testsupport::toneWav(layout, kHertz, kSeconds));
    ASSERT_TRUE(samples);
    const auto tone = testsupport::measureTone(*samples, kDeviceRate);
    ASSERT_TRUE(tone);
    EXPECT_NEAR(tone->hertz, kHertz, kHertz * 0.01);
    EXPECT_NEAR(static_cast<double>(tone->length()), kSeconds * kDeviceRate, kDeviceRate * 0.003);
    EXPECT_NEAR(tone->peak, 16384, 16384 * 0.1);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DecodedLayout,
    ::testing::Values(LayoutCase{"U8Mono11k", {1, 1, 11025, 8}},
                      LayoutCase{"U8Stereo8k", {1, 2, 8000, 8}},
                      LayoutCase{"S16Mono22k", {1, 1, 22050, 16}},
                      LayoutCase{"S16Stereo44k", {1, 2, 44100, 16}},
                      LayoutCase{"S16Mono48k", {1, 1, 48000, 16}},
                      LayoutCase{"S24Stereo32k", {1, 2, 32000, 24}},
                      LayoutCase{"S32Mono16k", {1, 1, 16000, 32}},
                      LayoutCase{"F32Stereo48k", {3, 2, 48000, 32}},
                      LayoutCase{"ExtensibleS24Mono", {1, 1, 44100, 24, true}}),
    testsupport::CaseName());

// However small the parts a sound is handed out in, they join into the
// sound that decoding it whole gives: none lost, doubled or out of place, and
// the end of the sound once, after the last of it.
TEST_P(DecodedLayout, PartsJoinIntoTheWholeSound)
{
    const auto file = testsupport::toneWav(GetParam().layout, 440.0, 0.5);
    const auto whole = decodeSound(file);
    ASSERT_TRUE(whole);
    for (const std::size_t part : {std::size_t{1}, std::size_t{300}, std::size_t{4410}}) {
        auto decoder = sound::SoundDecoder::open(file);
        ASSERT_TRUE(decoder);
        std::vector<std::int16_t> joined;
        int calls = 0;
        while (!decoder->done() && calls++ < 100000) {
            ASSERT_TRUE(decoder->decodeInto(joined, part));
            ASSERT_LE(joined.size(), whole->size());
        }
        EXPECT_TRUE(decoder->done()) << part;
        ASSERT_EQ(joined.size(), whole->size()) << "in parts of " << part << " frames";
        // SDL's converters round a sample now and then one way or the other
        // depending on where the buffer they were handed ends.
        for (std::size_t i = 0; i < whole->size(); ++i)
            ASSERT_LE(std::abs(joined[i] - (*whole)[i]), 1) << "sample " << i << " in parts of " << part;
        EXPECT_TRUE(decoder->decodeInto(joined, part));
        EXPECT_EQ(joined.size(), whole->size()) << "more came after the end";
    }
}

TEST(DecodeSound, PlaysAVeryLongFileOnlyUpToTheCap)
{
    const WavLayout layout{1, 1, 1000, 8};
    const auto seconds = sound::kMaxSoundSeconds + 5;
    const std::vector<std::uint8_t> samples(static_cast<std::size_t>(seconds * layout.rate), 200);
    const auto decoded = decodeSound(testsupport::wavFile(layout, samples));
    ASSERT_TRUE(decoded);
    EXPECT_NEAR(static_cast<double>(decoded->size()),
                static_cast<double>(sound::kMaxSoundSeconds) * kDeviceRate, kDeviceRate * 0.01);
}

TEST(DecodeSound, AFileWithoutSamplesIsSilence)
{
    EXPECT_FALSE(decodeSound(testsupport::wavFile({1, 1, 44100, 16}, {})));
    EXPECT_FALSE(decodeSound({}));
}

class SoundFilePlaces : public ::testing::Test {
protected:
    fs::path at(const char* name) const { return dir.path() / name; }
    testsupport::TempDir dir;
};

// None of these holds a sound, and none may block the reader or feed it forever.
TEST_F(SoundFilePlaces, NothingIsReadFromWhatIsNotASmallRegularFile)
{
    fs::create_directory(at("folder"));
    fs::create_symlink("/dev/zero", at("zero"));
    fs::create_symlink(at("loop"), at("loop"));
    fs::create_symlink("/nonexistent/europa", at("dangling"));
    ASSERT_EQ(::mkfifo(at("fifo").c_str(), 0644), 0);
    testsupport::writeBytes(at("empty"), {});
    {
        // Sparse: far past the size cap without using the disk.
        const int fd = ::open(at("huge").c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t{1} << 30), 0);
        ::close(fd);
    }
    for (const char* name : {"missing", "folder", "zero", "loop", "dangling", "fifo", "empty", "huge"})
        EXPECT_FALSE(readSoundFile(at(name).string())) << name;
}

TEST_F(SoundFilePlaces, AFileThePlayerMayNotReadIsSilence)
{
    const auto file = at("locked.wav");
    testsupport::writeBytes(file, testsupport::toneWav({}, 440.0, 0.01));
    ASSERT_TRUE(readSoundFile(file.string()));
    fs::permissions(file, fs::perms::none);

    if (::geteuid() != 0) {
        EXPECT_FALSE(readSoundFile(file.string()));
        return;
    }
    // Permissions do not stop root, so the read is tried as an ordinary user.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        ::_exit(readSoundFile(file.string()) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the file was read, 2: could not drop privileges";
}

} // namespace
