#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

namespace platform {

// What a player shares with its worker thread; defined beside the worker.
struct SoundPlayerState;

// Plays WAV files in the background through SDL's audio subsystem.
//
// play() returns at once: the request goes to a worker thread, which opens the
// audio device on first use and queues the first tenth of a second of the
// sound straight away. The rest is converted while it plays, a little at a
// time, about a second ahead of the device, so a long sound starts as soon as
// a short one and its cost is spread over its length. A newer request cuts off
// whatever is still playing. A file that is missing, not a regular file, too
// large or not a playable WAV is silence, and so is a machine without any
// audio device.
class SoundPlayer {
public:
    SoundPlayer();
    // Returns promptly even when the worker is stuck in the sound system
    // (a server that never answers holds it for half a minute): the worker is
    // then left to finish on its own.
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void play(const std::string& path);

    // Blocks until every request made so far has been handled (the start of
    // its sound queued, or the request dropped) or `limit` has passed; false
    // when the worker is still busy. The rest of a long sound goes on arriving
    // afterwards.
    // For the sound player, bad-sound and fuzz tests and the latency benchmark: the game never needs to know.
    bool waitUntilIdle(std::chrono::milliseconds limit);

    // Counts of requests the worker has handled, by outcome, and of the sound
    // it has handed to the device.
    // For the sound player test: without a device to listen on, silence and sound look alike.
    struct Tally {
        std::uint64_t played = 0;
        std::uint64_t silent = 0;
        std::uint64_t queuedFrames = 0; // every sound together, at the device's rate
    };
    Tally tally();

private:
    // Shared with the worker, which may outlive the player.
    std::shared_ptr<SoundPlayerState> state_;
    std::thread worker_;
};

} // namespace platform
