#include "platform/sound_player.h"

#include <SDL.h>

#include "platform/alsa_quiet.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Far above the longest sound of the game; a larger file is not a sound of ours.
constexpr off_t kMaxSoundFileBytes = 64 * 1024 * 1024;

constexpr int kDeviceRate = 44100;
constexpr SDL_AudioFormat kDeviceFormat = AUDIO_S16SYS;
constexpr Uint8 kDeviceChannels = 1;
constexpr Uint16 kDeviceBufferFrames = 512;

// Decodes a WAV held in memory and converts it to the device's format.
std::optional<std::vector<std::uint8_t>> decodeWav(const std::vector<std::uint8_t>& bytes,
                                                   const SDL_AudioSpec& device)
{
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (source == nullptr)
        return std::nullopt;
    SDL_AudioSpec spec;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(source, 1, &spec, &samples, &length) == nullptr)
        return std::nullopt;

    // The one-shot converter rather than SDL_AudioStream: the stream's
    // resampler keeps back the tail of the sound, so a file at another rate
    // would come out short.
    std::optional<std::vector<std::uint8_t>> converted;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, device.format,
                          device.channels, device.freq) >= 0) {
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(length) * static_cast<std::size_t>(cvt.len_mult));
        std::copy(samples, samples + length, buffer.begin());
        cvt.buf = buffer.data();
        cvt.len = static_cast<int>(length);
        if (cvt.needed == 0 || SDL_ConvertAudio(&cvt) == 0) {
            buffer.resize(static_cast<std::size_t>(cvt.needed == 0 ? cvt.len : cvt.len_cvt));
            converted = std::move(buffer);
        }
    }
    SDL_FreeWAV(samples);
    return converted;
}

} // namespace

std::optional<std::vector<std::uint8_t>> readSoundFile(const std::string& path)
{
    // Non-blocking open: a FIFO or device in place of a sound must not hang us.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::vector<std::uint8_t>> result;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0
        && info.st_size <= kMaxSoundFileBytes) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
        std::size_t filled = 0;
        while (filled < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
            if (n <= 0)
                break;
            filled += static_cast<std::size_t>(n);
        }
        bytes.resize(filled);
        if (!bytes.empty())
            result = std::move(bytes);
    }
    ::close(fd);
    return result;
}

SoundPlayer::SoundPlayer() : worker_([this] { run(); }) {}

SoundPlayer::~SoundPlayer()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
    if (device_ != 0)
        SDL_CloseAudioDevice(device_);
    if (device_ != 0 || deviceFailed_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
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
    idle_.wait(lock, [this] { return !pending_ && !warmUpRequested_ && !busy_; });
}

void SoundPlayer::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || pending_ || warmUpRequested_; });
        if (stopping_)
            return;
        std::optional<std::string> path = std::move(pending_);
        pending_.reset();
        warmUpRequested_ = false;
        busy_ = true;
        lock.unlock();
        if (ensureDevice() && path)
            handle(*path);
        lock.lock();
        busy_ = false;
        if (!pending_ && !warmUpRequested_)
            idle_.notify_all();
    }
}

bool SoundPlayer::ensureDevice()
{
    if (device_ != 0)
        return true;
    if (deviceFailed_)
        return false;
    SDL_AudioSpec want{};
    want.freq = kDeviceRate;
    want.format = kDeviceFormat;
    want.channels = kDeviceChannels;
    want.samples = kDeviceBufferFrames;
    silenceAlsaDiagnostics();
    // SDL would otherwise turn SIGTERM and SIGINT into quit events that nobody
    // reads, and the program could no longer be ended by its session or a kill.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ == 0) {
        deviceFailed_ = true;
        std::fprintf(stderr, "europa-quiz: no audio device, playing without sound (%s)\n",
                     SDL_GetError());
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SoundPlayer::handle(const std::string& path)
{
    // Whatever happens to the new sound, the old one stops now.
    SDL_ClearQueuedAudio(device_);
    const auto bytes = readSoundFile(path);
    if (!bytes)
        return;
    SDL_AudioSpec device{};
    device.freq = kDeviceRate;
    device.format = kDeviceFormat;
    device.channels = kDeviceChannels;
    const auto samples = decodeWav(*bytes, device);
    if (!samples || samples->empty())
        return;
    SDL_ClearQueuedAudio(device_);
    SDL_QueueAudio(device_, samples->data(), static_cast<Uint32>(samples->size()));
}

} // namespace platform
