#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace testsupport {

// The layout of a WAV file to build; `tag` 1 is integer PCM, 3 is float.
struct WavLayout {
    std::uint16_t tag = 1;
    int channels = 1;
    int rate = 44100;
    int bits = 16;
    bool extensible = false;
};

// A sine tone in every channel, `seconds` long, at half of full scale.
std::vector<std::uint8_t> toneSamples(const WavLayout& layout, double hertz, double seconds);

// A complete RIFF/WAVE file around the given sample bytes.
std::vector<std::uint8_t> wavFile(const WavLayout& layout, std::span<const std::uint8_t> samples);

inline std::vector<std::uint8_t> toneWav(const WavLayout& layout, double hertz, double seconds)
{
    return wavFile(layout, toneSamples(layout, hertz, seconds));
}

// Byte offsets inside a file made by wavFile() without the extensible header.
inline constexpr std::size_t kRiffSizeOffset = 4;
inline constexpr std::size_t kFmtSizeOffset = 16;
inline constexpr std::size_t kFormatTagOffset = 20;
inline constexpr std::size_t kDataSizeOffset = 40;
inline constexpr std::size_t kPlainHeaderBytes = 44;

void putLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value);

void writeBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "europa-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace testsupport
