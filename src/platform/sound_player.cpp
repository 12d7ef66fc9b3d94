#include "platform/sound_player.h"

#include <SDL.h>

#include <condition_variable>
#include <cstdio>
#include <exception>
#include <mutex>
#include <optional>

#include "platform/alsa_quiet.h"
#include "platform/sound_loader.h"

namespace platform {

struct SoundPlayer::State {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable changed; // idle again, or the worker has finished
    std::optional<std::string> pending;
    bool warmUpRequested = false;
    bool busy = false;
    bool stopping = false;
    bool finished = false;
    Tally tally;

    // Touched by the worker thread only.
    SDL_AudioDeviceID device = 0;
    bool deviceFailed = false;
    int quietChecks = 0; // idle checks in a row that found nothing left to play

    bool idle() const { return !pending && !warmUpRequested && !busy; }
};

namespace {

using State = SoundPlayer::State;

constexpr Uint16 kDeviceBufferFrames = 512;

// Long enough for the worker to finish any sound it is decoding.
constexpr auto kStopLimit = std::chrono::milliseconds(250);

// An open device keeps SDL's audio thread waking every few milliseconds to play
// silence. Once nothing has been left to play for this many idle checks in a
// row, the device is let go, and the next sound opens it again.
constexpr auto kIdleCheck = std::chrono::seconds(1);
constexpr int kQuietChecksBeforeRelease = 3;

bool ensureDevice(State& s)
{
    if (s.device != 0)
        return true;
    if (s.deviceFailed)
        return false;
    // SDL's audio brings up its event subsystem, which would otherwise take
    // SIGINT and SIGTERM for itself and leave the program unable to be stopped.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_AudioSpec want{};
    want.freq = kDeviceRate;
    want.format = AUDIO_S16SYS;
    want.channels = kDeviceChannels;
    want.samples = kDeviceBufferFrames;
    silenceAlsaDiagnostics();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        s.device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        if (s.device == 0)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (s.device == 0) {
        s.deviceFailed = true;
        std::fprintf(stderr, "europa-quiz: no audio device, playing without sound (%s)\n",
                     SDL_GetError());
        return false;
    }
    SDL_PauseAudioDevice(s.device, 0);
    return true;
}

void closeDevice(State& s)
{
    SDL_CloseAudioDevice(s.device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    s.device = 0;
    s.quietChecks = 0;
}

void releaseDeviceWhenQuiet(State& s)
{
    if (SDL_GetQueuedAudioSize(s.device) != 0) {
        s.quietChecks = 0;
        return;
    }
    if (++s.quietChecks >= kQuietChecksBeforeRelease)
        closeDevice(s);
}

bool newerRequestWaiting(State& s)
{
    std::lock_guard lock(s.mutex);
    return s.pending.has_value() || s.stopping;
}

bool handle(State& s, const std::string& path)
{
    // Whatever happens to the new sound, the old one stops now.
    SDL_ClearQueuedAudio(s.device);
    const auto samples = loadSound(path);
    // A sound that was replaced while it was being decoded is never heard.
    if (!samples || newerRequestWaiting(s))
        return false;
    SDL_ClearQueuedAudio(s.device);
    return SDL_QueueAudio(s.device, samples->data(),
                          static_cast<Uint32>(samples->size() * sizeof(std::int16_t)))
        == 0;
}

void run(const std::shared_ptr<State>& state)
{
    State& s = *state;
    std::unique_lock lock(s.mutex);
    const auto requested = [&s] { return s.stopping || s.pending || s.warmUpRequested; };
    for (;;) {
        if (s.device == 0) {
            s.wake.wait(lock, requested);
        } else if (!s.wake.wait_for(lock, kIdleCheck, requested)) {
            lock.unlock();
            releaseDeviceWhenQuiet(s);
            lock.lock();
            continue;
        }
        if (s.stopping)
            break;
        std::optional<std::string> path = std::move(s.pending);
        s.pending.reset();
        s.warmUpRequested = false;
        s.busy = true;
        lock.unlock();
        s.quietChecks = 0;
        bool played = false;
        try {
            played = ensureDevice(s) && path && handle(s, *path);
        } catch (const std::exception&) {
            // Out of memory for one sound is that sound's silence, not the game's end.
            played = false;
        }
        lock.lock();
        s.busy = false;
        if (path)
            ++(played ? s.tally.played : s.tally.silent);
        if (s.idle())
            s.changed.notify_all();
    }
    lock.unlock();

    if (s.device != 0)
        closeDevice(s);
    // SDL keeps per-thread data (its error text) for every thread that calls
    // it, and frees it by itself only for threads it created.
    SDL_TLSCleanup();

    lock.lock();
    s.finished = true;
    s.changed.notify_all();
}

} // namespace

SoundPlayer::SoundPlayer()
    : state_(std::make_shared<State>()), worker_([state = state_] { run(state); })
{
}

SoundPlayer::~SoundPlayer()
{
    std::unique_lock lock(state_->mutex);
    state_->stopping = true;
    state_->wake.notify_all();
    const bool finished = state_->changed.wait_for(lock, kStopLimit, [this] { return state_->finished; });
    lock.unlock();
    if (finished)
        worker_.join();
    else
        worker_.detach(); // it holds its own share of the state
}

void SoundPlayer::play(const std::string& path)
{
    {
        std::lock_guard lock(state_->mutex);
        state_->pending = path; // a request not yet started is simply replaced
    }
    state_->wake.notify_one();
}

void SoundPlayer::warmUp()
{
    {
        std::lock_guard lock(state_->mutex);
        state_->warmUpRequested = true;
    }
    state_->wake.notify_one();
}

void SoundPlayer::waitUntilIdle()
{
    std::unique_lock lock(state_->mutex);
    state_->changed.wait(lock, [this] { return state_->idle(); });
}

bool SoundPlayer::waitUntilIdle(std::chrono::milliseconds limit)
{
    std::unique_lock lock(state_->mutex);
    return state_->changed.wait_for(lock, limit, [this] { return state_->idle(); });
}

SoundPlayer::Tally SoundPlayer::tally()
{
    std::lock_guard lock(state_->mutex);
    return state_->tally;
}

} // namespace platform
