#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <thread>

#include "sound/sound_loader.h"
#include "disk_device.h"
#include "layout_case.h"
#include "tone_measure.h"
#include "watched_sound_player.h"
#include "wav_builder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using sound::kDeviceRate;
using testsupport::WatchedSoundPlayer;
using testsupport::LayoutCase;
using testsupport::WavLayout;

constexpr auto kWorkerLimit = 10s;

// SDL's disk driver stands in for a sound card: it writes what the device
// plays, in the device's format, to a file, a buffer at a time.
class DiskDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", output().c_str(), 1);
        // Milliseconds per 512-frame buffer: faster than real time, slow
        // enough that the file does not fill with silence.
        ::setenv("SDL_DISKAUDIODELAY", "3", 1);
    }
    void TearDown() override
    {
        ::unsetenv("SDL_AUDIODRIVER");
        ::unsetenv("SDL_DISKAUDIOFILE");
        ::unsetenv("SDL_DISKAUDIODELAY");
    }

    fs::path output() const { return dir.path() / "device.raw"; }

    std::string wav(const char* name, const WavLayout& layout, double hertz, double seconds)
    {
        return wav(name, testsupport::toneWav(layout, hertz, seconds));
    }

    std::string wav(const char* name, std::span<const std::uint8_t> bytes)
    {
        const auto path = dir.path() / name;
        testsupport::writeBytes(path, bytes);
        return path.string();
    }

    std::vector<std::int16_t> recorded() const { return testsupport::diskDeviceSamples(output()); }

    // The recording once the device has played some sound and then `quiet`
    // of silence, or whatever it holds when `limit` runs out. The silence
    // outlasts the player's pauses between the parts of a long sound, even
    // on this device that plays faster than real time.
    std::vector<std::int16_t> recordUntilQuiet(std::chrono::duration<double> quiet = 1s,
                                               std::chrono::seconds limit = 20s) const
    {
        const auto quietSamples = static_cast<std::size_t>(quiet.count() * kDeviceRate);
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            auto samples = recorded();
            const auto tone = testsupport::measureTone(samples, kDeviceRate);
            if ((tone && samples.size() > tone->last + quietSamples)
                || std::chrono::steady_clock::now() > deadline)
                return samples;
            std::this_thread::sleep_for(20ms);
        }
    }

    // Waits until the device has begun to play something.
    void waitForSound() const
    {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!testsupport::measureTone(recorded(), kDeviceRate)
               && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(5ms);
    }

    testsupport::TempDir dir;
};

// The game's own layout, 16-bit mono at 22050 Hz: a tone whose peak level is
// a different one in each second, so that where a part of it lands shows.
std::vector<std::uint8_t> steppedTone(double hertz, const std::vector<int>& peakPerSecond)
{
    constexpr int kRate = 22050;
    std::vector<std::uint8_t> bytes;
    for (std::size_t second = 0; second < peakPerSecond.size(); ++second) {
        for (int i = 0; i < kRate; ++i) {
            const double t = static_cast<double>(second * kRate + static_cast<std::size_t>(i)) / kRate;
            const auto v = static_cast<std::int16_t>(
                std::lround(peakPerSecond[second] * std::sin(2.0 * std::numbers::pi * hertz * t)));
            bytes.push_back(static_cast<std::uint8_t>(v));
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8));
        }
    }
    return testsupport::wavFile({1, 1, kRate, 16}, bytes);
}

// A steady level, 16-bit mono at 22050 Hz: resampling keeps every sample at
// that value, so the device's output can be counted sample by sample.
std::vector<std::uint8_t> steadyLevel(std::int16_t value, double seconds)
{
    const auto frames = static_cast<std::size_t>(seconds * 22050);
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < frames; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value));
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(value) >> 8));
    }
    return testsupport::wavFile({1, 1, 22050, 16}, bytes);
}

// How many samples sit at `value`, within what the resampler leaves of a steady level.
long samplesAt(std::span<const std::int16_t> samples, std::int16_t value)
{
    constexpr int kResamplingRipple = 60;
    return std::count_if(samples.begin(), samples.end(),
                         [value](std::int16_t s) { return std::abs(s - value) <= kResamplingRipple; });
}

std::size_t deviceFrames(std::chrono::duration<double> length)
{
    return static_cast<std::size_t>(length.count() * kDeviceRate);
}

class DeviceLayout : public DiskDevice, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(DeviceLayout, PlaysAtItsTruePitchAndLength)
{
    constexpr double kHertz = 660.0;
    constexpr double kSeconds = 0.4;
    WatchedSoundPlayer player;
    player.play(wav("tone.wav", GetParam().layout, kHertz, kSeconds));
    ASSERT_TRUE(player.waitUntilIdle(kWorkerLimit));
    EXPECT_EQ(player.tally().played, 1U);

    const auto samples = recordUntilQuiet();
    const auto tone = testsupport::measureTone(samples, kDeviceRate);
    ASSERT_TRUE(tone) << "nothing was heard";
    EXPECT_NEAR(tone->hertz, kHertz, kHertz * 0.01);
    EXPECT_NEAR(static_cast<double>(tone->length()), kSeconds * kDeviceRate, kDeviceRate * 0.003);
}

INSTANTIATE_TEST_SUITE_P(Layouts, DeviceLayout,
                         ::testing::Values(LayoutCase{"U8Mono11k", {1, 1, 11025, 8}},
                                           LayoutCase{"S16Stereo48k", {1, 2, 48000, 16}},
                                           LayoutCase{"S24Mono22k", {1, 1, 22050, 24}},
                                           LayoutCase{"F32Stereo44k", {3, 2, 44100, 32}}),
                         testsupport::CaseName());

TEST_F(DiskDevice, ALaterSoundCutsOffTheEarlierOne)
{
    WatchedSoundPlayer player;
    player.play(wav("long.wav", {}, 440.0, 3.0));
    waitForSound();
    player.play(wav("short.wav", {}, 880.0, 0.2));
    ASSERT_TRUE(player.waitUntilIdle(kWorkerLimit));

    const auto samples = recordUntilQuiet();
    const auto all = testsupport::measureTone(samples, kDeviceRate);
    ASSERT_TRUE(all);
    EXPECT_LT(all->length(), 1.0 * kDeviceRate) << "the long sound played on";
    // The end of the recording is the short sound, whole.
    const std::span<const std::int16_t> tail(samples.data() + all->last + 1 - kDeviceRate / 5,
                                             kDeviceRate / 5);
    const auto last = testsupport::measureTone(tail, kDeviceRate);
    ASSERT_TRUE(last);
    EXPECT_NEAR(last->hertz, 880.0, 880.0 * 0.02);
}

// A sound far longer than what is queued at a time reaches the device whole,
// each second in its place, at the pace a sound card takes it.
TEST_F(DiskDevice, ALongSoundArrivesWholeAndInOrder)
{
    // About a real card's pace, so that it is the player that keeps it fed.
    ::setenv("SDL_DISKAUDIODELAY", "11", 1);
    std::vector<int> peaks;
    for (int second = 0; second < 10; ++second)
        peaks.push_back(3000 + 2500 * second);
    WatchedSoundPlayer player;
    player.play(wav("anthem.wav", steppedTone(440.0, peaks)));
    ASSERT_TRUE(player.waitUntilIdle(kWorkerLimit));

    const auto samples = recordUntilQuiet(1s, 30s);
    const auto tone = testsupport::measureTone(samples, kDeviceRate);
    ASSERT_TRUE(tone) << "nothing was heard";
    EXPECT_NEAR(tone->hertz, 440.0, 440.0 * 0.01);
    EXPECT_NEAR(static_cast<double>(tone->length()), static_cast<double>(deviceFrames(10s)),
                kDeviceRate * 0.003);
    ASSERT_GE(samples.size(), tone->first + deviceFrames(10s));
    for (std::size_t second = 0; second < peaks.size(); ++second) {
        // The middle of each second, clear of where it meets its neighbours.
        const std::span<const std::int16_t> middle(samples.data() + tone->first + second * kDeviceRate
                                                       + kDeviceRate / 10,
                                                   kDeviceRate * 8 / 10);
        const auto [low, high] = std::minmax_element(middle.begin(), middle.end());
        EXPECT_NEAR(std::max(-*low, static_cast<int>(*high)), peaks[second], peaks[second] * 0.03)
            << "second " << second;
    }
}

// The request counts as handled once the start of its sound is queued, and
// the rest is queued as playing goes on, never much more than a second ahead
// of the device, which here takes a buffer only every tenth of a second.
TEST_F(DiskDevice, ALongSoundIsQueuedAPartAtATime)
{
    ::setenv("SDL_DISKAUDIODELAY", "100", 1);
    WatchedSoundPlayer player;
    player.play(wav("long.wav", {1, 1, 22050, 16}, 440.0, 20.0));
    ASSERT_TRUE(player.waitUntilIdle(kWorkerLimit));
    EXPECT_EQ(player.tally().played, 1U);
    EXPECT_GT(player.tally().queuedFrames, 0U);
    EXPECT_LT(player.tally().queuedFrames, deviceFrames(1.5s)) << "queued before counting as handled";

    // Long enough for several top-ups; the device takes about 2,500 frames.
    std::this_thread::sleep_for(500ms);
    const auto queued = player.tally().queuedFrames;
    EXPECT_GT(queued, deviceFrames(0.8s)) << "the queue was not kept ahead of the device";
    EXPECT_LT(queued, deviceFrames(1.5s) + 5000) << "converted far ahead of playing";
}

// A newer request stops a sound that is still being converted: nothing of
// the old sound is queued after the new one has begun.
TEST_F(DiskDevice, ALaterSoundCutsOffOneStillArriving)
{
    WatchedSoundPlayer player;
    player.play(wav("long.wav", steppedTone(440.0, std::vector<int>(20, 6000))));
    // More than the first second has played, so later parts are on their way.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    for (;;) {
        const auto tone = testsupport::measureTone(recorded(), kDeviceRate);
        if (tone && tone->length() > deviceFrames(1.5s))
            break;
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the long sound never got going";
        std::this_thread::sleep_for(10ms);
    }
    // Short enough to be queued whole at once, leaving nothing of its own to follow.
    player.play(wav("short.wav", {}, 880.0, 0.08));
    ASSERT_TRUE(player.waitUntilIdle(kWorkerLimit));

    const auto samples = recordUntilQuiet();
    // The new sound is the only one louder than the old.
    const auto newStart = std::find_if(samples.begin(), samples.end(),
                                       [](std::int16_t v) { return std::abs(v) > 10000; });
    ASSERT_NE(newStart, samples.end()) << "the new sound was not heard";
    const auto tail = testsupport::measureTone(std::span<const std::int16_t>(newStart, samples.end()),
                                               kDeviceRate);
    ASSERT_TRUE(tail);
    EXPECT_NEAR(tail->hertz, 880.0, 880.0 * 0.02);
    EXPECT_NEAR(static_cast<double>(tail->length()), static_cast<double>(deviceFrames(0.08s)),
                kDeviceRate * 0.003)
        << "more sound followed the new one";
}

// An idle game costs nothing: a device with nothing left to play is let go
// after a few quiet seconds, and the next sound opens it again.
TEST_F(DiskDevice, AQuietDeviceIsReleasedAndReopenedForTheNextSound)
{
    WatchedSoundPlayer player;
    player.play(wav("short.wav", {}, 440.0, 0.2));
    waitForSound();
    std::this_thread::sleep_for(5s);
    const auto size = fs::file_size(output());
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(fs::file_size(output()), size) << "the device still plays silence";

    player.play(wav("again.wav", {}, 880.0, 0.2));
    ASSERT_TRUE(player.waitUntilIdle(kWorkerLimit));
    const auto tone = testsupport::measureTone(recordUntilQuiet(), kDeviceRate);
    ASSERT_TRUE(tone);
    EXPECT_NEAR(tone->hertz, 880.0, 880.0 * 0.02);
}

// Cutting off does not depend on the new sound being playable.
TEST_F(DiskDevice, ASoundThatCannotPlayStillStopsTheEarlierOne)
{
    WatchedSoundPlayer player;
    player.play(wav("long.wav", {}, 440.0, 3.0));
    waitForSound();
    player.play((dir.path() / "missing.wav").string());
    ASSERT_TRUE(player.waitUntilIdle(kWorkerLimit));

    const auto samples = recordUntilQuiet();
    const auto all = testsupport::measureTone(samples, kDeviceRate);
    ASSERT_TRUE(all);
    EXPECT_LT(all->length(), 1.0 * kDeviceRate);
    EXPECT_EQ(player.tally().silent, 1U);
}

// A device much faster than a sound card empties its queue between the
// player's top-ups again and again. While the sound is still being converted
// that is no quiet spell: the device stays open and the sound arrives whole.
TEST_F(DiskDevice, TheDeviceStaysOpenWhileALongSoundIsStillBeingConverted)
{
    ::setenv("SDL_DISKAUDIODELAY", "1", 1);
    const auto whole = static_cast<long>(deviceFrames(10s));
    WatchedSoundPlayer player;
    player.play(wav("long.wav", steadyLevel(6000, 10.0)));
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (samplesAt(recorded(), 6000) < whole - kDeviceRate / 50
           && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    EXPECT_NEAR(samplesAt(recorded(), 6000), whole, kDeviceRate / 50);
}

// Whatever is wrong with a file, it is silence, and the next good sound plays.
TEST_F(DiskDevice, UnplayableFilesAreSilenceAndPlayingGoesOn)
{
    const auto good = testsupport::toneWav({}, 440.0, 0.1);
    const std::vector<std::uint8_t> truncated(good.begin(), good.begin() + 30);
    const std::vector<std::string> bad{
        (dir.path() / "missing.wav").string(),
        wav("empty.wav", std::span<const std::uint8_t>{}),
        wav("truncated.wav", truncated),
        wav("garbage.wav", std::vector<std::uint8_t>(4000, 0xA5)),
        (dir.path() / "folder.wav").string(),
    };
    fs::create_directories(dir.path() / "folder.wav");
    WatchedSoundPlayer player;
    for (const std::string& path : bad) {
        player.play(path);
        ASSERT_TRUE(player.waitUntilIdle(kWorkerLimit)) << path;
    }
    EXPECT_EQ(player.tally().silent, bad.size());
    EXPECT_FALSE(testsupport::measureTone(recorded(), kDeviceRate)) << "a bad file made a sound";

    player.play(wav("good.wav", good));
    ASSERT_TRUE(player.waitUntilIdle(kWorkerLimit));
    const auto tone = testsupport::measureTone(recordUntilQuiet(), kDeviceRate);
    ASSERT_TRUE(tone) << "the good sound after the bad ones was not heard";
    EXPECT_NEAR(tone->hertz, 440.0, 440.0 * 0.02);
}

// play() only hands the request over, even while the worker is busy reading
// and starting a long file; requests that pile up meanwhile collapse into the
// newest.
TEST_F(DiskDevice, PlayReturnsAtOnceWhileTheWorkerIsBusy)
{
    const auto big = wav("big.wav", {1, 2, 48000, 16}, 440.0, 120.0);
    const auto small = wav("small.wav", {}, 880.0, 0.1);
    WatchedSoundPlayer player;
    auto slowest = std::chrono::steady_clock::duration::zero();
    for (int i = 0; i < 50; ++i) {
        const auto start = std::chrono::steady_clock::now();
        player.play(i % 2 == 0 ? big : small);
        slowest = std::max(slowest, std::chrono::steady_clock::now() - start);
    }
    EXPECT_LT(slowest, 20ms);
    ASSERT_TRUE(player.waitUntilIdle(kWorkerLimit));
    const auto tally = player.tally();
    EXPECT_LT(tally.played + tally.silent, 50U);

    const auto tone = testsupport::measureTone(recordUntilQuiet(), kDeviceRate);
    ASSERT_TRUE(tone);
    EXPECT_NEAR(tone->hertz, 880.0, 880.0 * 0.02) << "the newest request was not the one heard";
}

class StderrCapture {
public:
    StderrCapture() : saved_(::dup(2))
    {
        std::fflush(stderr);
        const int fd = ::open(file_.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
        ::dup2(fd, 2);
        ::close(fd);
    }
    ~StderrCapture() { restore(); }
    std::string text()
    {
        restore();
        std::ifstream in(file_);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    void restore()
    {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        saved_ = -1;
    }
    testsupport::TempDir dir_;
    fs::path file_ = dir_.path() / "stderr.txt";
    int saved_;
};

// A machine without sound, whether the device or the whole sound driver is
// missing: the game's requests are dropped without waiting, and the refusal
// is told once, on one line, even though the sound library would report
// every probe on its own.
struct NoSoundCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> environment;
};

void PrintTo(const NoSoundCase& c, std::ostream* os)
{
    *os << c.name;
}

class NoAudioDevice : public ::testing::TestWithParam<NoSoundCase> {
protected:
    void TearDown() override
    {
        for (const auto& [variable, value] : GetParam().environment)
            ::unsetenv(variable);
    }
};

TEST_P(NoAudioDevice, PlaysOnInSilenceAndSaysSoOnce)
{
    for (const auto& [variable, value] : GetParam().environment)
        ::setenv(variable, value, 1);
    testsupport::TempDir dir;
    const auto tone = dir.path() / "tone.wav";
    testsupport::writeBytes(tone, testsupport::toneWav({}, 440.0, 0.1));

    StderrCapture capture;
    {
        WatchedSoundPlayer player;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 5; ++i) {
            player.play(tone.string());
            ASSERT_TRUE(player.waitUntilIdle(kWorkerLimit));
        }
        player.play(tone.string());
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
        ASSERT_TRUE(player.waitUntilIdle(kWorkerLimit));
        EXPECT_EQ(player.tally().played, 0U);
        EXPECT_EQ(player.tally().silent, 6U);
    }
    const std::string said = capture.text();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(said.rfind("europa.quiz.sound: no audio device", 0), 0U) << said;
}

INSTANTIATE_TEST_SUITE_P(
    Machines, NoAudioDevice,
    ::testing::Values(NoSoundCase{"NoSuchDevice", {{"SDL_AUDIODRIVER", "alsa"},
                                                   {"AUDIODEV", "europa-no-such-device"}}},
                      NoSoundCase{"NoSuchDriver", {{"SDL_AUDIODRIVER", "europa-no-such-driver"}}}),
    testsupport::CaseName());

// A sound server that takes the connection and never answers holds the
// device probe for half a minute. Neither play() nor the end of the player
// (the end of the program) waits for it.
TEST(UnansweringSoundServer, NeitherPlayingNorStoppingWaitsForIt)
{
    const int server = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(server, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(::listen(server, 4), 0);
    ASSERT_EQ(::getsockname(server, reinterpret_cast<sockaddr*>(&address), &length), 0);
    ::setenv("SDL_AUDIODRIVER", "pulseaudio", 1);
    ::setenv("PULSE_SERVER", ("tcp:127.0.0.1:" + std::to_string(ntohs(address.sin_port))).c_str(), 1);

    bool stuck = false;
    const auto start = std::chrono::steady_clock::now();
    {
        WatchedSoundPlayer player;
        player.play("/nonexistent/europa.wav");
        EXPECT_LT(std::chrono::steady_clock::now() - start, 20ms);
        stuck = !player.waitUntilIdle(500ms);
    }
    const auto took = std::chrono::steady_clock::now() - start;
    ::unsetenv("SDL_AUDIODRIVER");
    ::unsetenv("PULSE_SERVER");
    if (!stuck)
        GTEST_SKIP() << "the sound system gave up at once here; there was nothing to wait for";
    EXPECT_LT(took, 1500ms);
    ::close(server);
}

} // namespace
