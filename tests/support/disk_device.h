#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace testsupport {

// What SDL's disk driver has written so far in place of a sound card: the
// samples the device played, signed 16-bit little-endian, as it was opened.
inline std::vector<std::int16_t> diskDeviceSamples(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(raw.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(raw[2 * i])
                                               | static_cast<std::uint8_t>(raw[2 * i + 1]) << 8);
    return samples;
}

} // namespace testsupport
