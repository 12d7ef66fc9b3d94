#include "sound/sound_loader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>
#include <span>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "sound/sdl_audio_library.h"
#include "sound/wav_format.h"

namespace sound {

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

SDL_AudioFormat sdlFormat(SampleEncoding encoding)
{
    switch (encoding) {
    case SampleEncoding::Unsigned8:
    case SampleEncoding::Signed16: return AUDIO_S16LSB;
    case SampleEncoding::Signed24:
    case SampleEncoding::Signed32: return AUDIO_S32LSB;
    case SampleEncoding::Float32: return AUDIO_F32LSB;
    }
    return AUDIO_S16LSB;
}

// The samples in the layout sdlFormat() names, which SDL converts faithfully.
// SDL has no 24-bit format, and its stream pads 8-bit sound with the byte 0
// instead of 128, which ends every 8-bit sound in a loud click. Both are
// widened into `scratch`; the other layouts go to SDL as they are.
std::span<const std::uint8_t> toSdlSamples(SampleEncoding encoding, std::span<const std::uint8_t> samples,
                                           std::vector<std::uint8_t>& scratch)
{
    scratch.clear();
    switch (encoding) {
    case SampleEncoding::Unsigned8:
        scratch.reserve(samples.size() * 2);
        for (const std::uint8_t u : samples) {
            scratch.push_back(0);
            scratch.push_back(static_cast<std::uint8_t>(u ^ 0x80U)); // offset to two's complement
        }
        return scratch;
    case SampleEncoding::Signed24:
        scratch.reserve(samples.size() / 3 * 4);
        for (std::size_t i = 0; i + 3 <= samples.size(); i += 3) {
            scratch.push_back(0);
            scratch.insert(scratch.end(), samples.begin() + static_cast<std::ptrdiff_t>(i),
                           samples.begin() + static_cast<std::ptrdiff_t>(i + 3));
        }
        return scratch;
    case SampleEncoding::Signed16:
    case SampleEncoding::Signed32:
    case SampleEncoding::Float32:
        break;
    }
    return samples;
}

struct FreeAudioStream {
    void operator()(SDL_AudioStream* stream) const { sdlAudio()->FreeAudioStream(stream); }
};

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

struct SoundDecoder::Conversion {
    std::vector<std::uint8_t> file;
    SampleEncoding encoding = SampleEncoding::Signed16;
    int rate = 0;
    std::size_t frameBytes = 0; // one frame of the file, all channels
    std::size_t next = 0;       // where in the file the samples not yet converted begin
    std::size_t end = 0;        // where the samples to play end
    std::unique_ptr<SDL_AudioStream, FreeAudioStream> stream;
    std::vector<std::uint8_t> widened;
    bool done = false;
};

std::optional<SoundDecoder> SoundDecoder::open(std::vector<std::uint8_t> file)
{
    const auto wav = parseWav(file);
    if (!wav || wav->samples.empty())
        return std::nullopt;

    const SdlAudioLibrary* sdl = sdlAudio();
    if (sdl == nullptr)
        return std::nullopt;
    auto c = std::make_unique<Conversion>();
    c->encoding = wav->encoding;
    c->rate = wav->rate;
    c->frameBytes = static_cast<std::size_t>(wav->channels) * bytesPerSample(wav->encoding);
    const std::size_t maxBytes = static_cast<std::size_t>(wav->rate) * kMaxSoundSeconds * c->frameBytes;
    c->next = static_cast<std::size_t>(wav->samples.data() - file.data());
    c->end = c->next + std::min(wav->samples.size(), maxBytes);
    c->stream.reset(sdl->NewAudioStream(sdlFormat(wav->encoding), static_cast<Uint8>(wav->channels),
                                        wav->rate, AUDIO_S16SYS, kDeviceChannels, kDeviceRate));
    if (!c->stream)
        return std::nullopt;
    c->file = std::move(file);
    return SoundDecoder(std::move(c));
}

SoundDecoder::SoundDecoder(std::unique_ptr<Conversion> conversion) : conversion_(std::move(conversion)) {}
SoundDecoder::SoundDecoder(SoundDecoder&&) noexcept = default;
SoundDecoder& SoundDecoder::operator=(SoundDecoder&&) noexcept = default;
SoundDecoder::~SoundDecoder() = default;

bool SoundDecoder::done() const
{
    return conversion_->done;
}

bool SoundDecoder::decodeInto(std::vector<std::int16_t>& out, std::size_t frames)
{
    Conversion& c = *conversion_;
    if (c.done)
        return true;
    SDL_AudioStream* stream = c.stream.get();
    const SdlAudioLibrary& sdl = *sdlAudio(); // loaded when the decoder was opened

    // Always at least one frame, so that every call moves the sound on.
    const double wanted = std::ceil(static_cast<double>(frames) * c.rate / kDeviceRate);
    const std::size_t left = (c.end - c.next) / c.frameBytes;
    const std::size_t take = wanted >= static_cast<double>(left)
                               ? left
                               : std::max<std::size_t>(1, static_cast<std::size_t>(wanted));
    const std::size_t until = c.next + take * c.frameBytes;
    const std::size_t sliceBytes = kSliceFrames * c.frameBytes;
    while (c.next < until) {
        const std::size_t n = std::min(sliceBytes, until - c.next);
        const auto slice = toSdlSamples(c.encoding, std::span(c.file).subspan(c.next, n), c.widened);
        if (sdl.AudioStreamPut(stream, slice.data(), static_cast<int>(slice.size())) != 0)
            return false;
        c.next += n;
    }
    const bool last = c.next == c.end;
    if (last && sdl.AudioStreamFlush(stream) != 0)
        return false;

    const int available = sdl.AudioStreamAvailable(stream);
    if (available > 0) {
        const std::size_t had = out.size();
        out.resize(had + static_cast<std::size_t>(available) / sizeof(std::int16_t));
        const int got = sdl.AudioStreamGet(stream, out.data() + had, available);
        if (got < 0) {
            out.resize(had);
            return false;
        }
        out.resize(had + static_cast<std::size_t>(got) / sizeof(std::int16_t));
    }
    c.done = last;
    return true;
}

} // namespace sound
