#include "platform/sound_player.h"

#include <SDL.h>

#include <cstdio>
#include <exception>

#include "platform/alsa_quiet.h"
#include "platform/sound_loader.h"

namespace platform {

namespace {

constexpr Uint16 kDeviceBufferFrames = 512;

} // namespace

SoundPlayer::SoundPlayer() : worker_([this] { run(); }) {}

SoundPlayer::~SoundPlayer()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void SoundPlayer::play(const std::string& path)
{
    {
        std::lock_guard lock(mutex_);
        pending_ = path; // a request not yet started is simply replaced
    }
    wake_.notify_one();
}

void SoundPlayer::warmUp()
{
    {
        std::lock_guard lock(mutex_);
        warmUpRequested_ = true;
    }
    wake_.notify_one();
}

void SoundPlayer::waitUntilIdle()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return idle(); });
}

bool SoundPlayer::waitUntilIdle(std::chrono::milliseconds limit)
{
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, limit, [this] { return idle(); });
}

SoundPlayer::Tally SoundPlayer::tally()
{
    std::lock_guard lock(mutex_);
    return tally_;
}

void SoundPlayer::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || pending_ || warmUpRequested_; });
        if (stopping_)
            break;
        std::optional<std::string> path = std::move(pending_);
        pending_.reset();
        warmUpRequested_ = false;
        busy_ = true;
        lock.unlock();
        bool played = false;
        try {
            played = ensureDevice() && path && handle(*path);
        } catch (const std::exception&) {
            // Out of memory for one sound is that sound's silence, not the game's end.
            played = false;
        }
        lock.lock();
        busy_ = false;
        if (path)
            ++(played ? tally_.played : tally_.silent);
        if (idle())
            idle_.notify_all();
    }
    lock.unlock();
    // SDL keeps per-thread data (its error text) for every thread that calls
    // it, and frees it by itself only for threads it created.
    SDL_TLSCleanup();
}

bool SoundPlayer::ensureDevice()
{
    if (device_ != 0)
        return true;
    if (deviceFailed_)
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
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        if (device_ == 0)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (device_ == 0) {
        deviceFailed_ = true;
        std::fprintf(stderr, "europa-quiz: no audio device, playing without sound (%s)\n",
                     SDL_GetError());
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

bool SoundPlayer::newerRequestWaiting()
{
    std::lock_guard lock(mutex_);
    return pending_.has_value() || stopping_;
}

bool SoundPlayer::handle(const std::string& path)
{
    // Whatever happens to the new sound, the old one stops now.
    SDL_ClearQueuedAudio(device_);
    const auto samples = loadSound(path);
    // A sound that was replaced while it was being decoded is never heard.
    if (!samples || newerRequestWaiting())
        return false;
    SDL_ClearQueuedAudio(device_);
    return SDL_QueueAudio(device_, samples->data(),
                          static_cast<Uint32>(samples->size() * sizeof(std::int16_t)))
        == 0;
}

} // namespace platform
