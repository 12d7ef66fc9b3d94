#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "sound/sound_player.h"

namespace testsupport {

// The program's sound player, watched from outside: what its worker has done
// with the requests, which the game never needs to know.
class WatchedSoundPlayer : public sound::SoundPlayer {
public:
    // Requests ended, by outcome, and the sound handed to the device.
    struct Tally {
        std::uint64_t played = 0;
        std::uint64_t silent = 0;
        std::uint64_t replaced = 0;
        std::uint64_t queuedFrames = 0; // every sound together, at the device's rate
    };

    WatchedSoundPlayer() : WatchedSoundPlayer(std::make_shared<Watch>()) {}

    // Blocks until every request made so far has been handled (the start of
    // its sound queued, the request dropped or replaced by a newer one) or
    // `limit` has passed; false when the worker is still busy. The rest of a
    // long sound goes on arriving afterwards.
    bool waitUntilIdle(std::chrono::milliseconds limit) { return watch_->waitUntilIdle(limit); }

    Tally tally() { return watch_->tally(); }

private:
    class Watch final : public sound::PlayerWatch {
    public:
        void requested() override
        {
            std::lock_guard lock(mutex_);
            ++asked_;
        }
        void handled(Outcome outcome) override
        {
            {
                std::lock_guard lock(mutex_);
                ++(outcome == Outcome::Heard ? tally_.played
                   : outcome == Outcome::Silent ? tally_.silent
                                                : tally_.replaced);
            }
            ended_.notify_all();
        }
        void queued(std::size_t frames) override
        {
            std::lock_guard lock(mutex_);
            tally_.queuedFrames += frames;
        }

        bool waitUntilIdle(std::chrono::milliseconds limit)
        {
            std::unique_lock lock(mutex_);
            return ended_.wait_for(lock, limit, [this] {
                return tally_.played + tally_.silent + tally_.replaced == asked_;
            });
        }
        Tally tally()
        {
            std::lock_guard lock(mutex_);
            return tally_;
        }

    private:
        std::mutex mutex_;
        std::condition_variable ended_;
        std::uint64_t asked_ = 0;
        Tally tally_;
    };

    explicit WatchedSoundPlayer(std::shared_ptr<Watch> watch) : SoundPlayer(watch), watch_(std::move(watch)) {}

    std::shared_ptr<Watch> watch_;
};

} // namespace testsupport
