#pragma once

#include <memory>
#include <string>
#include <thread>

namespace sound {

// What a player shares with its worker thread (sound/sound_player_state.h).
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

protected:
    // For a subclass that watches the worker, as the tests' and the latency
    // benchmark's does (tests/support/watched_sound_player.h).
    SoundPlayerState& shared() const { return *state_; }

private:
    // Shared with the worker, which may outlive the player.
    std::shared_ptr<SoundPlayerState> state_;
    std::thread worker_;
};

} // namespace sound
