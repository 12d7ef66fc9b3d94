#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <thread>

namespace sound {

// What a player shares with its worker thread, which may outlive it.
struct SoundPlayerState;

// What the player tells whoever watches its work: the game plays unwatched,
// the tests and the latency benchmark watch (tests/support/watched_sound_player.h),
// because without a device to listen on silence and sound look alike. Called
// on the thread that plays or on the worker, with none of the player's locks
// held; the worker keeps its share of the watch as long as it runs.
class PlayerWatch {
public:
    enum class Outcome {
        Heard,    // the start of its sound is queued
        Silent,   // nothing of it reaches the device
        Replaced, // a newer request came before the worker took it
    };

    virtual ~PlayerWatch() = default;
    // A request is made; each one ends in exactly one outcome, unless the
    // player goes away first.
    virtual void requested() = 0;
    virtual void handled(Outcome outcome) = 0;
    // Sound handed to the device, in frames at the device's rate.
    virtual void queued(std::size_t frames) = 0;
};

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
    explicit SoundPlayer(std::shared_ptr<PlayerWatch> watch = nullptr);
    // Returns promptly even when the worker is stuck in the sound system
    // (a server that never answers holds it for half a minute): the worker is
    // then left to finish on its own.
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void play(const std::string& path);

private:
    std::shared_ptr<PlayerWatch> watch_;
    std::shared_ptr<SoundPlayerState> state_;
    std::thread worker_;
};

} // namespace sound
