// Times the sound service: from play() to the first sample of that sound
// handed to the audio device.
//
// SDL's disk audio driver stands in for the device and writes each buffer it
// takes into a FIFO that a thread of this program drains; the read that first
// brings a sample of the new sound is the moment the device took it. The
// driver's file is made unbuffered (see fopen below), so each device buffer
// reaches the FIFO the moment it is taken rather than 4 KiB later.
//
//   europa-sound-latency RUNS           warm device: RUNS timings of each sound
//   europa-sound-latency --cold         one timing that includes opening the device
//
// Prints one line per timing: "<sound> <milliseconds>".

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "watched_sound_player.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string fifoPath;

// The game's sounds are 16-bit mono at 22050 Hz: the device converts them to
// 44100 Hz, so the stand-ins take the same road.
constexpr int kFileRate = 22050;

void writeWav(const std::string& path, double seconds, bool silent)
{
    const auto frames = static_cast<std::uint32_t>(seconds * kFileRate);
    std::vector<std::int16_t> samples(frames);
    for (std::uint32_t i = 0; i < frames && !silent; ++i) {
        // Never zero, so the very first sample already tells it from silence.
        samples[i] = static_cast<std::int16_t>(3000 + 2000 * std::sin(i * 0.05));
    }
    const std::uint32_t dataBytes = frames * 2;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    auto u32 = [f](std::uint32_t v) { std::fwrite(&v, 4, 1, f); };
    auto u16 = [f](std::uint16_t v) { std::fwrite(&v, 2, 1, f); };
    std::fwrite("RIFF", 1, 4, f);
    u32(36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16);
    u16(1);
    u16(1);
    u32(kFileRate);
    u32(kFileRate * 2);
    u16(2);
    u16(16);
    std::fwrite("data", 1, 4, f);
    u32(dataBytes);
    std::fwrite(samples.data(), 2, frames, f);
    std::fclose(f);
}

// Drains the FIFO and notes when a sound first comes out of it once armed.
class DeviceListener {
public:
    void start()
    {
        thread_ = std::thread([this] { run(); });
    }

    void arm()
    {
        std::lock_guard lock(mutex_);
        heardAt_.reset();
        armed_ = true;
    }

    std::optional<Clock::time_point> wait(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex_);
        heard_.wait_for(lock, timeout, [this] { return heardAt_.has_value(); });
        return heardAt_;
    }

private:
    void run()
    {
        const int fd = ::open(fifoPath.c_str(), O_RDONLY);
        std::vector<std::int16_t> buffer(4096);
        for (;;) {
            const ssize_t n = ::read(fd, buffer.data(), buffer.size() * 2);
            if (n <= 0)
                return;
            const auto now = Clock::now();
            bool sound = false;
            for (ssize_t i = 0; i < n / 2 && !sound; ++i)
                sound = buffer[static_cast<std::size_t>(i)] != 0;
            std::lock_guard lock(mutex_);
            if (armed_ && sound) {
                armed_ = false;
                heardAt_ = now;
                heard_.notify_all();
            }
        }
    }

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable heard_;
    bool armed_ = false;
    std::optional<Clock::time_point> heardAt_;
};

double timePlay(testsupport::WatchedSoundPlayer& player, DeviceListener& listener, const std::string& path)
{
    listener.arm();
    const auto asked = Clock::now();
    player.play(path);
    const auto heard = listener.wait(std::chrono::seconds(5));
    if (!heard) {
        std::fprintf(stderr, "europa-sound-latency: %s never reached the device\n", path.c_str());
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(*heard - asked).count();
}

void quiet(testsupport::WatchedSoundPlayer& player, const std::string& silence)
{
    // A new sound cuts the old one off; a silent one leaves the device quiet.
    player.play(silence);
    if (!player.waitUntilIdle(std::chrono::seconds(5))) {
        std::fprintf(stderr, "europa-sound-latency: the player never finished with %s\n", silence.c_str());
        std::exit(1);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
}

} // namespace

// SDL opens the disk driver's file with stdio. This program's own definitions
// take precedence over the C library's for SDL too, and leave that one file
// unbuffered.
extern "C" FILE* fopen64(const char* path, const char* mode)
{
    using Fopen = FILE* (*)(const char*, const char*);
    static const auto next = reinterpret_cast<Fopen>(dlsym(RTLD_NEXT, "fopen64"));
    FILE* file = next(path, mode);
    if (file != nullptr && !fifoPath.empty() && fifoPath == path)
        std::setvbuf(file, nullptr, _IONBF, 0);
    return file;
}

extern "C" FILE* fopen(const char* path, const char* mode)
{
    return fopen64(path, mode);
}

int main(int argc, char** argv)
{
    const bool cold = argc > 1 && std::strcmp(argv[1], "--cold") == 0;
    const int runs = cold ? 1 : (argc > 1 ? std::atoi(argv[1]) : 20);

    char folder[] = "/tmp/europa-sound-latency.XXXXXX";
    if (::mkdtemp(folder) == nullptr)
        return 1;
    const std::string dir = folder;
    fifoPath = dir + "/device";
    ::mkfifo(fifoPath.c_str(), 0600);
    const std::string shortSound = dir + "/short.wav";
    const std::string longSound = dir + "/long.wav";
    const std::string silence = dir + "/silence.wav";
    writeWav(shortSound, 1.2, false);  // a country's name
    writeWav(longSound, 24.0, false);  // the anthem
    writeWav(silence, 0.1, true);
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", fifoPath.c_str(), 1);

    DeviceListener listener;
    listener.start();
    {
        testsupport::WatchedSoundPlayer player;
        if (cold) {
            std::printf("cold-short %.2f\n", timePlay(player, listener, shortSound));
        } else {
            quiet(player, silence);
            for (int i = 0; i < runs; ++i) {
                for (const auto& [name, path] : {std::pair{"short", shortSound},
                                                 std::pair{"long", longSound}}) {
                    quiet(player, silence);
                    std::printf("%s %.2f\n", name, timePlay(player, listener, path));
                }
            }
        }
        std::fflush(stdout);
    }
    for (const auto& path : {shortSound, longSound, silence, fifoPath})
        ::unlink(path.c_str());
    ::rmdir(dir.c_str());
    std::_Exit(0);  // the listener thread is still blocked on the FIFO
}
