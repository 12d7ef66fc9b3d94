#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sound/sound_loader.h"

namespace testsupport {

// The file's whole sound in the device format, converted in one part, or
// nothing when it holds no playable sound at all.
inline std::optional<std::vector<std::int16_t>> decodeSound(std::span<const std::uint8_t> file)
{
    auto decoder = sound::SoundDecoder::open({file.begin(), file.end()});
    std::vector<std::int16_t> samples;
    if (!decoder || !decoder->decodeInto(samples, std::numeric_limits<std::size_t>::max()) || samples.empty())
        return std::nullopt;
    return samples;
}

// The whole sound of the file at `path`, read as the player reads it: whether
// the program would be heard playing it.
inline std::optional<std::vector<std::int16_t>> loadSound(const std::string& path)
{
    const auto bytes = sound::readSoundFile(path);
    if (!bytes)
        return std::nullopt;
    return decodeSound(*bytes);
}

} // namespace testsupport
