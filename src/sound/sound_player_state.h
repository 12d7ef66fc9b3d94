#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

namespace sound {

// What a sound player shares with its worker thread, which may outlive it.
struct SoundPlayerState {
    std::mutex mutex;
    std::condition_variable wake;    // a request, or the player going away
    std::condition_variable changed; // idle again, or the worker has finished
    std::optional<std::string> pending;
    bool busy = false;
    bool stopping = false;
    bool finished = false;

    // Requests handled, by outcome, and the sound handed to the device.
    // Read by the tests' watched player (tests/support): without a device to
    // listen on, silence and sound look alike.
    struct Tally {
        std::uint64_t played = 0;
        std::uint64_t silent = 0;
        std::uint64_t queuedFrames = 0; // every sound together, at the device's rate
    };
    Tally tally;

    bool idle() const { return !pending && !busy; }
};

} // namespace sound
