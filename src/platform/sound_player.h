#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace platform {

// Plays WAV files in the background through SDL's audio subsystem.
//
// play() returns at once: the request goes to a worker thread, which opens the
// audio device on first use, decodes the file and queues its samples. A newer
// request cuts off whatever is still playing. A file that is missing, not a
// regular file, too large or not a playable WAV is silence, and so is a machine
// without any audio device.
class SoundPlayer {
public:
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void play(const std::string& path);

    // Blocks until every request made so far has been handled (queued or
    // dropped); for tests and measurements.
    void waitUntilIdle();
    // The same with a limit; false when the worker is still busy after it.
    bool waitUntilIdle(std::chrono::milliseconds limit);

    // Starts opening the device without playing anything, so the first
    // sound does not wait for it.
    void warmUp();

    // Counts of requests the worker has handled, by outcome; for tests.
    struct Tally {
        std::uint64_t played = 0;
        std::uint64_t silent = 0;
    };
    Tally tally();

private:
    void run();
    bool ensureDevice();
    bool handle(const std::string& path);
    bool newerRequestWaiting();
    bool idle() const { return !pending_ && !warmUpRequested_ && !busy_; }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<std::string> pending_;
    bool warmUpRequested_ = false;
    bool busy_ = false;
    bool stopping_ = false;
    Tally tally_;

    // Touched by the worker thread only.
    std::uint32_t device_ = 0;
    bool deviceFailed_ = false;

    std::thread worker_;
};

} // namespace platform
