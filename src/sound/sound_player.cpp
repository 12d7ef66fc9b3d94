#include "sound/sound_player.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>

#include "sound/alsa_quiet.h"
#include "sound/logging.h"
#include "sound/sdl_audio_library.h"
#include "sound/sound_loader.h"

namespace sound {

struct SoundPlayerState {
    std::mutex mutex;
    std::condition_variable wake;     // a request, or the player going away
    std::condition_variable finished; // the worker has let the device go
    std::optional<std::string> pending;
    bool stopping = false;
    bool done = false;
};

namespace {

// The worker's view: what it shares with the player, and what it alone touches.
struct State {
    State(SoundPlayerState& shared, PlayerWatch* watch) : shared(shared), watch(watch) {}

    SoundPlayerState& shared;
    PlayerWatch* watch; // nullptr when nobody watches
    const SdlAudioLibrary* sdl = nullptr; // once the first sound has loaded it
    SDL_AudioDeviceID device = 0;
    bool deviceFailed = false;
    int quietChecks = 0; // idle checks in a row that found nothing left to play
    // The part of the sound being played that is not yet queued.
    std::optional<SoundDecoder> playing;
};

constexpr Uint16 kDeviceBufferFrames = 512;

// Long enough for the worker to finish any part of a sound it is converting.
constexpr auto kStopLimit = std::chrono::milliseconds(250);

// A sound starts with this much of it queued, which takes well under a
// millisecond to convert however long the whole sound is.
constexpr std::size_t kFirstPartFrames = kDeviceRate / 10;
// The rest is converted as it is needed: every so often the queue is filled
// up to a second ahead of the device, which is many wakes' worth of margin
// against a busy machine, and bounds the queue at about that second.
constexpr std::size_t kAheadFrames = kDeviceRate;
constexpr auto kTopUpInterval = std::chrono::milliseconds(150);

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
    s.sdl = sdlAudio();
    if (s.sdl == nullptr) {
        s.deviceFailed = true;
        qCWarning(lcSound, "no sound library, playing without sound (%s)", sdlAudioFailure().c_str());
        return false;
    }
    // SDL's audio brings up its event subsystem, which would otherwise take
    // SIGINT and SIGTERM for itself and leave the program unable to be stopped.
    s.sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_AudioSpec want{};
    want.freq = kDeviceRate;
    want.format = AUDIO_S16SYS;
    want.channels = kDeviceChannels;
    want.samples = kDeviceBufferFrames;
    silenceAlsaDiagnostics();
    if (s.sdl->InitSubSystem(SDL_INIT_AUDIO) == 0) {
        s.device = s.sdl->OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        if (s.device == 0)
            s.sdl->QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (s.device == 0) {
        s.deviceFailed = true;
        qCWarning(lcSound, "no audio device, playing without sound (%s)", s.sdl->GetError());
        return false;
    }
    s.sdl->PauseAudioDevice(s.device, 0);
    return true;
}

void closeDevice(State& s)
{
    s.sdl->CloseAudioDevice(s.device);
    s.sdl->QuitSubSystem(SDL_INIT_AUDIO);
    s.device = 0;
    s.quietChecks = 0;
}

void releaseDeviceWhenQuiet(State& s)
{
    if (s.sdl->GetQueuedAudioSize(s.device) != 0) {
        s.quietChecks = 0;
        return;
    }
    if (++s.quietChecks >= kQuietChecksBeforeRelease)
        closeDevice(s);
}

bool newerRequestWaiting(State& s)
{
    std::lock_guard lock(s.shared.mutex);
    return s.shared.pending.has_value() || s.shared.stopping;
}

// False when the device refuses the samples.
bool enqueue(State& s, const std::vector<std::int16_t>& samples)
{
    if (samples.empty())
        return true;
    const auto bytes = static_cast<Uint32>(samples.size() * sizeof(std::int16_t));
    if (s.sdl->QueueAudio(s.device, samples.data(), bytes) != 0)
        return false;
    if (s.watch != nullptr)
        s.watch->queued(samples.size() / kDeviceChannels);
    return true;
}

// Cuts off the sound playing and starts the one at `path` with its first part;
// the rest is left to keepAhead(). False when the new sound is not heard.
bool start(State& s, const std::string& path)
{
    // Whatever happens to the new sound, the old one stops now.
    s.sdl->ClearQueuedAudio(s.device);
    s.playing.reset();
    auto file = readSoundFile(path);
    if (!file)
        return false;
    auto decoder = SoundDecoder::open(std::move(*file));
    if (!decoder)
        return false;
    std::vector<std::int16_t> first;
    // The converter hands out whole blocks of its own size, which may fall
    // short of the part asked for.
    while (first.size() < kFirstPartFrames && !decoder->done()) {
        if (!decoder->decodeInto(first, kFirstPartFrames - first.size()))
            return false;
    }
    // A sound that was replaced while it was being opened is never heard.
    if (first.empty() || newerRequestWaiting(s) || !enqueue(s, first))
        return false;
    if (!decoder->done())
        s.playing = std::move(decoder);
    return true;
}

// Tops the device's queue up with the next part of the playing sound. The
// sound ends here once it is all queued, and early when it cannot go on: a
// sound cut short is better than a game brought down.
void keepAhead(State& s)
{
    const std::size_t queued = s.sdl->GetQueuedAudioSize(s.device) / sizeof(std::int16_t);
    if (queued < kAheadFrames) {
        bool ok = false;
        try {
            std::vector<std::int16_t> part;
            ok = s.playing->decodeInto(part, kAheadFrames - queued) && enqueue(s, part);
        } catch (const std::exception&) {
            ok = false; // out of memory
        }
        if (!ok) {
            s.playing.reset();
            return;
        }
    }
    if (s.playing->done())
        s.playing.reset();
}

// What the worker wakes up to.
enum class Wake {
    Request, // a sound to play
    Stop,    // the player is going away
    Tick,    // time to feed the playing sound, or to see whether the device can go
};

// Sleeps until there is something to do. The first part of a sound lasts only
// a moment, so right after a sound has started the rest of its first second
// follows at once; while a sound plays the worker wakes often enough to keep
// ahead of it; with the device open and nothing playing it checks now and
// then whether the device can be let go; otherwise it sleeps until asked.
Wake waitForWork(State& s, std::unique_lock<std::mutex>& lock, bool soundJustStarted)
{
    const auto asked = [&s] { return s.shared.stopping || s.shared.pending.has_value(); };
    bool woken = true;
    if (soundJustStarted)
        woken = asked();
    else if (s.playing)
        woken = s.shared.wake.wait_for(lock, kTopUpInterval, asked);
    else if (s.device != 0)
        woken = s.shared.wake.wait_for(lock, kIdleCheck, asked);
    else
        s.shared.wake.wait(lock, asked);
    if (!woken)
        return Wake::Tick;
    return s.shared.stopping ? Wake::Stop : Wake::Request;
}

// Between requests. A sound still being converted keeps the device, whatever
// its queue holds.
void tend(State& s)
{
    if (s.playing)
        keepAhead(s);
    else
        releaseDeviceWhenQuiet(s);
}

// Takes the waiting request and starts its sound, without holding the lock
// meanwhile, so that play() never waits for the sound system. True when the
// sound is heard.
bool handleRequest(State& s, std::unique_lock<std::mutex>& lock)
{
    const std::string path = std::move(*s.shared.pending);
    s.shared.pending.reset();
    lock.unlock();
    s.quietChecks = 0;
    bool played = false;
    try {
        played = ensureDevice(s) && start(s, path);
    } catch (const std::exception&) {
        // Out of memory for one sound is that sound's silence, not the game's end.
        played = false;
    }
    if (s.watch != nullptr)
        s.watch->handled(played ? PlayerWatch::Outcome::Heard : PlayerWatch::Outcome::Silent);
    lock.lock();
    return played;
}

void shutDown(State& s)
{
    s.playing.reset();
    if (s.device != 0)
        closeDevice(s);
    // SDL keeps per-thread data (its error text) for every thread that calls
    // it, and frees it by itself only for threads it created.
    if (s.sdl != nullptr)
        s.sdl->TLSCleanup();
}

void run(const std::shared_ptr<SoundPlayerState>& state, const std::shared_ptr<PlayerWatch>& watch)
{
    State s(*state, watch.get());
    std::unique_lock lock(s.shared.mutex);
    bool soundJustStarted = false;
    for (Wake wake; (wake = waitForWork(s, lock, soundJustStarted)) != Wake::Stop;) {
        soundJustStarted = false;
        if (wake == Wake::Request) {
            soundJustStarted = handleRequest(s, lock);
        } else {
            lock.unlock();
            tend(s);
            lock.lock();
        }
    }
    lock.unlock();
    shutDown(s);

    lock.lock();
    s.shared.done = true;
    s.shared.finished.notify_all();
}

} // namespace

SoundPlayer::SoundPlayer(std::shared_ptr<PlayerWatch> watch)
    : watch_(std::move(watch)),
      state_(std::make_shared<SoundPlayerState>()),
      worker_([state = state_, watch = watch_] { run(state, watch); })
{
}

SoundPlayer::~SoundPlayer()
{
    std::unique_lock lock(state_->mutex);
    state_->stopping = true;
    state_->wake.notify_all();
    const bool finished = state_->finished.wait_for(lock, kStopLimit, [this] { return state_->done; });
    lock.unlock();
    if (finished)
        worker_.join();
    else
        worker_.detach(); // it holds its own share of the state
}

void SoundPlayer::play(const std::string& path)
{
    if (watch_)
        watch_->requested();
    bool replaced = false;
    {
        std::lock_guard lock(state_->mutex);
        replaced = state_->pending.has_value(); // a request not yet started is simply replaced
        state_->pending = path;
    }
    state_->wake.notify_one();
    if (replaced && watch_)
        watch_->handled(PlayerWatch::Outcome::Replaced);
}

} // namespace sound
