// Feeds arbitrary bytes to the sound service as a WAV file: play() must hand
// the request over without waiting for the worker, and the worker must finish
// with it in bounded time, whatever the bytes are. The worker converts only the start of a long
// sound before the next input cuts it off, so the bytes are also decoded
// whole here, which takes every part of them through the converter.

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include "watched_sound_player.h"
#include "whole_sound.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kPlayLimit = 50ms;
constexpr auto kWorkerLimit = 5s;

// The input is written to a file with no name, reached through this process's
// descriptor: nothing is left behind however the run ends, Ctrl-C included.
struct Harness {
    int fd = ::memfd_create("europa-fuzz-sound.wav", MFD_CLOEXEC);
    std::string path = "/proc/self/fd/" + std::to_string(fd);
    testsupport::WatchedSoundPlayer player;
};

// Times this thread went to sleep of its own accord: waiting on a lock or a
// condition. Being pre-empted by a busy machine does not count.
long voluntarySleeps()
{
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

// A stopped process (kill -STOP, Ctrl-Z, a busy CI machine) goes on only with
// SIGCONT, and a stop counts as a sleep of its own accord. SIGCONT is blocked
// in every thread, so it stays pending until taken here, where it tells that
// the process was stopped in between.
sigset_t continueSignal()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGCONT);
    return set;
}

bool takeContinued()
{
    const sigset_t set = continueSignal();
    const timespec now{};
    bool continued = false;
    while (::sigtimedwait(&set, nullptr, &now) == SIGCONT)
        continued = true;
    return continued;
}

// Whether play() waited for the worker. A slow play() that slept did; one that
// was merely pre-empted did not, and one that the process was stopped in tells
// nothing, so it is measured again.
bool playWaited(testsupport::WatchedSoundPlayer& player, const std::string& path)
{
    for (;;) {
        takeContinued();
        const long sleepsBefore = voluntarySleeps();
        const auto start = std::chrono::steady_clock::now();
        player.play(path);
        const auto took = std::chrono::steady_clock::now() - start;
        const bool slept = voluntarySleeps() != sleepsBefore;
        if (!takeContinued())
            return took > kPlayLimit && slept;
    }
}

void writeSound(int fd, const std::uint8_t* data, std::size_t size)
{
    if (fd < 0 || ::ftruncate(fd, 0) != 0)
        std::abort();
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0)
            std::abort();
        done += static_cast<std::size_t>(n);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A device that consumes samples like a sound card, so every input goes
    // all the way to the queue; a real device of the machine is not needed.
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    // Before the player and SDL start their threads, which inherit the mask.
    const sigset_t set = continueSignal();
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Harness harness;
    writeSound(harness.fd, data, size);
    if (playWaited(harness.player, harness.path))
        std::abort(); // play() waited for the worker
    if (!harness.player.waitUntilIdle(kWorkerLimit))
        std::abort(); // the worker hangs on this input
    testsupport::decodeSound({data, size});
    return 0;
}
