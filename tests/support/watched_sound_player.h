#pragma once

#include <chrono>
#include <mutex>

#include "sound/sound_player.h"
#include "sound/sound_player_state.h"

namespace testsupport {

// The program's sound player, watched from outside: what its worker has done
// with the requests, which the game never needs to know.
class WatchedSoundPlayer : public sound::SoundPlayer {
public:
    using Tally = sound::SoundPlayerState::Tally;

    // Blocks until every request made so far has been handled (the start of
    // its sound queued, or the request dropped) or `limit` has passed; false
    // when the worker is still busy. The rest of a long sound goes on arriving
    // afterwards.
    bool waitUntilIdle(std::chrono::milliseconds limit)
    {
        sound::SoundPlayerState& s = shared();
        std::unique_lock lock(s.mutex);
        return s.changed.wait_for(lock, limit, [&s] { return s.idle(); });
    }

    // Counts of requests the worker has handled, by outcome, and of the sound
    // it has handed to the device.
    Tally tally()
    {
        sound::SoundPlayerState& s = shared();
        std::lock_guard lock(s.mutex);
        return s.tally;
    }
};

} // namespace testsupport
