#include "sound/wav_format.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace sound {

namespace {

constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagFloat = 3;
constexpr std::uint16_t kTagExtensible = 0xFFFE;

constexpr std::size_t kPlainFormatBytes = 16;
constexpr std::size_t kExtensibleFormatBytes = 40;
constexpr std::uint16_t kExtensibleExtraBytes = 22;

// Outside these a file is damaged rather than merely unusual.
constexpr std::uint32_t kMinRate = 1000;
constexpr std::uint32_t kMaxRate = 384000;
constexpr std::uint16_t kMaxChannels = 8;

// An extensible format names its sample type by GUID; every linear one shares
// this tail after the two bytes that repeat the plain format tag.
constexpr std::array<std::uint8_t, 14> kSubtypeGuidTail{
    0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

using Bytes = std::span<const std::uint8_t>;

std::uint16_t le16(Bytes b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t le32(Bytes b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8
         | static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

bool hasId(Bytes b, std::size_t at, std::string_view id)
{
    return std::equal(id.begin(), id.end(), b.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char c, std::uint8_t byte) { return static_cast<std::uint8_t>(c) == byte; });
}

struct Format {
    SampleEncoding encoding;
    std::uint16_t channels;
    std::uint32_t rate;
    std::uint16_t blockAlign;
};

std::optional<SampleEncoding> encodingOf(std::uint16_t tag, std::uint16_t bits)
{
    if (tag == kTagPcm) {
        switch (bits) {
        case 8: return SampleEncoding::Unsigned8;
        case 16: return SampleEncoding::Signed16;
        case 24: return SampleEncoding::Signed24;
        case 32: return SampleEncoding::Signed32;
        default: return std::nullopt;
        }
    }
    if (tag == kTagFloat && bits == 32)
        return SampleEncoding::Float32;
    return std::nullopt;
}

std::optional<Format> readFormat(Bytes fmt)
{
    if (fmt.size() < kPlainFormatBytes)
        return std::nullopt;
    std::uint16_t tag = le16(fmt, 0);
    const std::uint16_t channels = le16(fmt, 2);
    const std::uint32_t rate = le32(fmt, 4);
    const std::uint16_t blockAlign = le16(fmt, 12);
    const std::uint16_t bits = le16(fmt, 14);

    if (tag == kTagExtensible) {
        if (fmt.size() < kExtensibleFormatBytes || le16(fmt, 16) < kExtensibleExtraBytes)
            return std::nullopt;
        if (!std::equal(kSubtypeGuidTail.begin(), kSubtypeGuidTail.end(), fmt.begin() + 26))
            return std::nullopt;
        tag = le16(fmt, 24);
    }
    const auto encoding = encodingOf(tag, bits);
    if (!encoding || channels == 0 || channels > kMaxChannels || rate < kMinRate || rate > kMaxRate
        || blockAlign != channels * (bits / 8))
        return std::nullopt;
    return Format{*encoding, channels, rate, blockAlign};
}

} // namespace

std::optional<WavSound> parseWav(Bytes file)
{
    constexpr std::size_t kHeaderBytes = 12;
    constexpr std::size_t kChunkHeaderBytes = 8;
    if (file.size() < kHeaderBytes || !hasId(file, 0, "RIFF") || !hasId(file, 8, "WAVE"))
        return std::nullopt;
    const std::uint32_t riffSize = le32(file, 4);
    if (riffSize < 4 || riffSize > file.size() - 8)
        return std::nullopt;

    Bytes rest = file.subspan(kHeaderBytes, riffSize - 4);
    std::optional<Bytes> fmt;
    std::optional<Bytes> data;
    while (rest.size() >= kChunkHeaderBytes && !(fmt && data)) {
        const std::uint32_t size = le32(rest, 4);
        if (size > rest.size() - kChunkHeaderBytes)
            return std::nullopt;
        const Bytes body = rest.subspan(kChunkHeaderBytes, size);
        if (!fmt && hasId(rest, 0, "fmt "))
            fmt = body;
        else if (!data && hasId(rest, 0, "data"))
            data = body;
        // Chunks are padded to an even length; a missing pad at the very end is harmless.
        const std::size_t step = kChunkHeaderBytes + size + (size & 1U);
        rest = rest.subspan(std::min(step, rest.size()));
    }
    if (!fmt || !data)
        return std::nullopt;

    const auto format = readFormat(*fmt);
    if (!format)
        return std::nullopt;
    const std::size_t wholeFrames = data->size() / format->blockAlign;
    return WavSound{format->encoding, format->channels, static_cast<int>(format->rate),
                    data->first(wholeFrames * format->blockAlign)};
}

} // namespace sound
