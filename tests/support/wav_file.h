#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testsupport {

// A PCM WAV file in memory: little-endian RIFF header, then the samples.
inline std::vector<std::uint8_t> wavBytes(const std::vector<std::int16_t>& samples,
                                          int rate = 22050, int channels = 1)
{
    std::vector<std::uint8_t> out;
    out.reserve(44 + samples.size() * 2);
    auto put = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    auto tag = [&](const char* text) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(text[i]));
    };
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    tag("RIFF");
    put(36 + dataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);                                           // PCM
    put(static_cast<std::uint32_t>(channels), 2);
    put(static_cast<std::uint32_t>(rate), 4);
    put(static_cast<std::uint32_t>(rate * channels * 2), 4);
    put(static_cast<std::uint32_t>(channels * 2), 2);
    put(16, 2);
    tag("data");
    put(dataBytes, 4);
    for (std::int16_t s : samples)
        put(static_cast<std::uint16_t>(s), 2);
    return out;
}

inline void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A steady level, so resampling keeps every sample at the same value and the
// device's output can be told apart sample by sample.
inline std::vector<std::int16_t> level(std::int16_t value, double seconds, int rate = 22050)
{
    return std::vector<std::int16_t>(static_cast<std::size_t>(seconds * rate), value);
}

// The samples SDL's disk driver wrote: signed 16-bit, as the device was opened.
inline std::vector<std::int16_t> readDeviceOutput(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(raw.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(raw[2 * i])
                                               | static_cast<std::uint8_t>(raw[2 * i + 1]) << 8);
    return samples;
}

} // namespace testsupport
