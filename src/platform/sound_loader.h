#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

// Every sound is converted to the one format the audio device is opened in:
// signed 16-bit samples in native byte order, one channel.
inline constexpr int kDeviceRate = 44100;
inline constexpr int kDeviceChannels = 1;

// A sound longer than this is played only up to here; the game's longest is
// a fraction of it, and the cap bounds the memory a strange file can cost.
inline constexpr int kMaxSoundSeconds = 600;

// The whole file, or nothing when it is not a regular file of sane size; never
// blocks on a device or a pipe.
std::optional<std::vector<std::uint8_t>> readSoundFile(const std::string& path);

// The file's sound in the device format, or nothing when it holds no playable
// sound at all.
std::optional<std::vector<std::int16_t>> decodeSound(std::span<const std::uint8_t> file);

// readSoundFile, then decodeSound.
std::optional<std::vector<std::int16_t>> loadSound(const std::string& path);

} // namespace platform
