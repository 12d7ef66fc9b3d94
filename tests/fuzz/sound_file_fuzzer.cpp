// Feeds arbitrary bytes to the sound service as a WAV file: play() must hand
// the request over without waiting for the worker, and the worker must finish
// with it in bounded time, whatever the bytes are. The worker converts only the start of a long
// sound before the next input cuts it off, so the bytes are also decoded
// whole here, which takes every part of them through the converter.

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/sound_loader.h"
#include "platform/sound_player.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kPlayLimit = 50ms;
constexpr auto kWorkerLimit = 5s;

// The folder the input is written to, removed on every way out: the normal
// end and each failure found here. (A crash ends the process in the
// sanitizer; the test command runs the fuzzer in a scratch folder of its own,
// EUROPA_FUZZ_SCRATCH, and removes that whatever happens.)
char scratchFolder[4096];

void removeScratch()
{
    if (scratchFolder[0] == '\0')
        return;
    const std::string file = std::string(scratchFolder) + "/sound.wav";
    ::unlink(file.c_str());
    ::rmdir(scratchFolder);
    scratchFolder[0] = '\0';
}

[[noreturn]] void fail()
{
    removeScratch();
    std::abort();
}

std::string makeSoundPath()
{
    // tmpfs when there is one: the file is rewritten for every input.
    const char* scratch = std::getenv("EUROPA_FUZZ_SCRATCH");
    const char* base = scratch != nullptr ? scratch : ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string dir = std::string(base) + "/europa-fuzz-XXXXXX";
    if (dir.size() >= sizeof scratchFolder || ::mkdtemp(dir.data()) == nullptr)
        std::abort();
    dir.copy(scratchFolder, dir.size());
    scratchFolder[dir.size()] = '\0';
    std::atexit(removeScratch);
    return dir + "/sound.wav";
}

struct Harness {
    std::string path = makeSoundPath();
    platform::SoundPlayer player;
};

// Times this thread went to sleep of its own accord: waiting on a lock or a
// condition. Being pre-empted by a busy machine does not count.
long voluntarySleeps()
{
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

void writeSound(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        fail();
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0)
            fail();
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

    // A slow play() is a fault only when it slept: it waited for the worker.
    // One that was merely pre-empted on a busy machine did not.
    const long sleepsBefore = voluntarySleeps();
    const auto start = std::chrono::steady_clock::now();
    harness.player.play(harness.path);
    const auto took = std::chrono::steady_clock::now() - start;
    if (took > kPlayLimit && voluntarySleeps() != sleepsBefore)
        fail(); // play() waited for the worker
    if (!harness.player.waitUntilIdle(kWorkerLimit))
        fail(); // the worker hangs on this input
    platform::decodeSound({data, size});
    return 0;
}
