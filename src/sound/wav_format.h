#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace sound {

// How one sample of a WAV file is stored, always little-endian.
enum class SampleEncoding {
    Unsigned8,
    Signed16,
    Signed24,
    Signed32,
    Float32,
};

// The playable part of a WAV file: a view into the file's own bytes.
struct WavSound {
    SampleEncoding encoding;
    int channels;
    int rate;
    std::span<const std::uint8_t> samples; // whole frames only
};

// Reads a RIFF/WAVE file held in memory. Only linear PCM (integer 8 to 32 bits,
// or 32-bit float) of sane rate and channel count is accepted. A header that
// claims more bytes than the file holds means the file was cut short or is
// damaged, and such a file is refused whole rather than half played.
std::optional<WavSound> parseWav(std::span<const std::uint8_t> file);

} // namespace sound
