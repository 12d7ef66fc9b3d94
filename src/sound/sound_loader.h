#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sound {

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

// A file's sound, converted to the device format a part at a time, so that a
// long sound can start playing long before the whole of it has been converted.
class SoundDecoder {
public:
    // Takes the file's bytes; nothing when they hold no playable sound.
    static std::optional<SoundDecoder> open(std::vector<std::uint8_t> file);

    SoundDecoder(SoundDecoder&&) noexcept;
    SoundDecoder& operator=(SoundDecoder&&) noexcept;
    ~SoundDecoder();

    // Converts the next `frames` device frames' worth of the file and appends
    // what comes out to `out`. The converter works in blocks of its own and
    // holds back what it has not yet seen the continuation of, so a part can
    // come out shorter or longer than asked, even empty; the last one brings
    // everything still held. False when the converter fails: the rest of the
    // sound is lost.
    bool decodeInto(std::vector<std::int16_t>& out, std::size_t frames);

    // True once the whole sound has been handed out.
    bool done() const;

private:
    struct Conversion;
    explicit SoundDecoder(std::unique_ptr<Conversion> conversion);
    std::unique_ptr<Conversion> conversion_;
};

} // namespace sound
