#include "platform/sound_loader.h"

#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/wav_format.h"

namespace platform {

namespace {

// Far above the longest sound of the game; a larger file is not a sound of ours.
constexpr off_t kMaxSoundFileBytes = 64 * 1024 * 1024;

// SDL 2.26's stream drops frames when it resamples more than about 512 frames
// handed over at once, which shortens the sound; small slices keep every frame.
constexpr std::size_t kSliceFrames = 256;

std::size_t bytesPerSample(SampleEncoding encoding)
{
    switch (encoding) {
    case SampleEncoding::Unsigned8: return 1;
    case SampleEncoding::Signed16: return 2;
    case SampleEncoding::Signed24: return 3;
    case SampleEncoding::Signed32:
    case SampleEncoding::Float32: return 4;
    }
    return 1;
}

// Samples in a layout SDL converts faithfully.
struct SdlSamples {
    SDL_AudioFormat format = AUDIO_S16LSB;
    std::span<const std::uint8_t> bytes;
    std::vector<std::uint8_t> storage; // when the bytes had to be rewritten
};

// SDL has no 24-bit format, and its stream pads 8-bit sound with the byte 0
// instead of 128, which ends every 8-bit sound in a loud click. Both are
// widened here; the other layouts go to SDL as they are.
SdlSamples toSdlSamples(SampleEncoding encoding, std::span<const std::uint8_t> samples)
{
    SdlSamples out;
    switch (encoding) {
    case SampleEncoding::Unsigned8:
        out.storage.reserve(samples.size() * 2);
        for (const std::uint8_t u : samples) {
            out.storage.push_back(0);
            out.storage.push_back(static_cast<std::uint8_t>(u ^ 0x80U)); // offset to two's complement
        }
        out.format = AUDIO_S16LSB;
        break;
    case SampleEncoding::Signed24:
        out.storage.reserve(samples.size() / 3 * 4);
        for (std::size_t i = 0; i + 3 <= samples.size(); i += 3) {
            out.storage.push_back(0);
            out.storage.insert(out.storage.end(), samples.begin() + static_cast<std::ptrdiff_t>(i),
                               samples.begin() + static_cast<std::ptrdiff_t>(i + 3));
        }
        out.format = AUDIO_S32LSB;
        break;
    case SampleEncoding::Signed16:
        out.format = AUDIO_S16LSB;
        break;
    case SampleEncoding::Signed32:
        out.format = AUDIO_S32LSB;
        break;
    case SampleEncoding::Float32:
        out.format = AUDIO_F32LSB;
        break;
    }
    out.bytes = out.storage.empty() ? samples : std::span<const std::uint8_t>(out.storage);
    return out;
}

std::optional<std::vector<std::int16_t>> convert(SDL_AudioStream* stream,
                                                 std::span<const std::uint8_t> samples,
                                                 std::size_t frameBytes)
{
    const std::size_t sliceBytes = kSliceFrames * frameBytes;
    for (std::size_t at = 0; at < samples.size(); at += sliceBytes) {
        const std::size_t n = std::min(sliceBytes, samples.size() - at);
        if (SDL_AudioStreamPut(stream, samples.data() + at, static_cast<int>(n)) != 0)
            return std::nullopt;
    }
    if (SDL_AudioStreamFlush(stream) != 0)
        return std::nullopt;
    std::vector<std::int16_t> out(static_cast<std::size_t>(SDL_AudioStreamAvailable(stream))
                                  / sizeof(std::int16_t));
    const int got = SDL_AudioStreamGet(stream, out.data(),
                                       static_cast<int>(out.size() * sizeof(std::int16_t)));
    if (got < 0)
        return std::nullopt;
    out.resize(static_cast<std::size_t>(got) / sizeof(std::int16_t));
    return out;
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
            if (n < 0 && errno == EINTR)
                continue;
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

std::optional<std::vector<std::int16_t>> decodeSound(std::span<const std::uint8_t> file)
{
    const auto wav = parseWav(file);
    if (!wav || wav->samples.empty())
        return std::nullopt;

    const std::size_t maxBytes = static_cast<std::size_t>(wav->rate) * kMaxSoundSeconds
                               * static_cast<std::size_t>(wav->channels) * bytesPerSample(wav->encoding);
    const SdlSamples samples =
        toSdlSamples(wav->encoding, wav->samples.first(std::min(wav->samples.size(), maxBytes)));

    SDL_AudioStream* stream = SDL_NewAudioStream(samples.format, static_cast<Uint8>(wav->channels),
                                                 wav->rate, AUDIO_S16SYS, kDeviceChannels, kDeviceRate);
    if (stream == nullptr)
        return std::nullopt;
    const std::size_t frameBytes =
        static_cast<std::size_t>(wav->channels) * SDL_AUDIO_BITSIZE(samples.format) / 8;
    auto converted = convert(stream, samples.bytes, frameBytes);
    SDL_FreeAudioStream(stream);
    if (!converted || converted->empty())
        return std::nullopt;
    return converted;
}

std::optional<std::vector<std::int16_t>> loadSound(const std::string& path)
{
    const auto bytes = readSoundFile(path);
    if (!bytes)
        return std::nullopt;
    return decodeSound(*bytes);
}

} // namespace platform
