// Feeds arbitrary bytes to the sound service as a WAV file: play() must hand
// the request over at once, and the worker must finish with it in bounded
// time, whatever the bytes are. The worker converts only the start of a long
// sound before the next input cuts it off, so the bytes are also decoded
// whole here, which takes every part of them through the converter.

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "platform/sound_loader.h"
#include "platform/sound_player.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kPlayLimit = 50ms;
constexpr auto kWorkerLimit = 5s;

std::string makeSoundPath()
{
    // tmpfs when there is one: the file is rewritten for every input.
    const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string dir = std::string(base) + "/europa-fuzz-XXXXXX";
    if (::mkdtemp(dir.data()) == nullptr)
        std::abort();
    return dir + "/sound.wav";
}

struct Harness {
    std::string path = makeSoundPath();
    platform::SoundPlayer player;

    ~Harness()
    {
        ::unlink(path.c_str());
        ::rmdir(path.substr(0, path.rfind('/')).c_str());
    }
};

void writeSound(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        std::abort();
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0)
            std::abort();
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A device that consumes samples like a sound card, so every input goes
    // all the way to the queue; a real device of the machine is not needed.
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Harness harness;
    writeSound(harness.path, data, size);

    const auto start = std::chrono::steady_clock::now();
    harness.player.play(harness.path);
    if (std::chrono::steady_clock::now() - start > kPlayLimit)
        std::abort(); // play() waited for the worker
    if (!harness.player.waitUntilIdle(kWorkerLimit))
        std::abort(); // the worker hangs on this input
    platform::decodeSound({data, size});
    return 0;
}
