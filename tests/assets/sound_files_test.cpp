// The sound folder as the game ships it. Every path the game can play must
// name a file that is there under exactly that name, in a format every
// player opens (plain PCM, mono, 16 bit), long enough to be heard, loud
// without clipping, and starting and ending on near-silence so that
// playback never clicks.

#include "game/country_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The folder that holds "Europa", standing in for the program's own folder.
const fs::path kSoundRoot{SOUND_ROOT_DIR};

constexpr double kFullScale = 32768.0;

struct SoundKind {
    double minSeconds;
    double maxSeconds;
};

constexpr SoundKind kSpokenName{0.4, 2.5};
constexpr SoundKind kAnthem{15.0, 25.0};
constexpr SoundKind kSuccess{0.5, 3.0};

// Loud enough to be heard beside the other sounds, with a little headroom
// so that no player's resampler clips it.
constexpr double kMinPeakDb = -3.0;
constexpr double kMaxPeakDb = -0.5;

// A click is a jump from silence to a loud sample; a faded edge stays far
// below this in its first and last milliseconds.
constexpr double kEdgeSeconds = 0.002;
constexpr double kEdgeMaxDb = -30.0;

struct Sound {
    std::string_view relativePath; // as the game plays it: "Europa\\Name.wav"
    SoundKind kind;
};

void PrintTo(const Sound& sound, std::ostream* out)
{
    *out << sound.relativePath;
}

std::vector<Sound> allSounds()
{
    std::vector<Sound> sounds;
    for (const game::Country& country : game::kCountries)
        sounds.push_back({country.soundFile, kSpokenName});
    sounds.push_back({game::kAnthemSound, kAnthem});
    sounds.push_back({game::kSuccessSound, kSuccess});
    return sounds;
}

fs::path resolve(std::string_view relativePath)
{
    std::string portable{relativePath};
    std::replace(portable.begin(), portable.end(), '\\', '/');
    return kSoundRoot / portable;
}

struct Wav {
    std::string problem; // empty when the file reads as a RIFF/WAVE file
    std::uint16_t format = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t byteRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::vector<std::int16_t> samples;

    double seconds() const { return sampleRate == 0 ? 0.0 : double(samples.size()) / sampleRate; }
};

std::uint32_t littleEndian(const std::vector<unsigned char>& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[at + i];
    return value;
}

// Walks the chunks the way a strict reader does: a size that runs past the
// end of the file, a missing "fmt " or "data" chunk or a RIFF size that
// disagrees with the file (a truncated copy) is a broken file.
Wav readWav(const fs::path& path)
{
    Wav wav;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        wav.problem = "cannot open " + path.string();
        return wav;
    }
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    auto tagAt = [&](std::size_t at) { return std::string(bytes.begin() + at, bytes.begin() + at + 4); };

    if (bytes.size() < 12 || tagAt(0) != "RIFF" || tagAt(8) != "WAVE") {
        wav.problem = "not a RIFF/WAVE file";
        return wav;
    }
    if (littleEndian(bytes, 4, 4) != bytes.size() - 8) {
        wav.problem = "RIFF size does not match the file size";
        return wav;
    }

    bool haveFormat = false;
    bool haveData = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = tagAt(at);
        const std::size_t size = littleEndian(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (size > bytes.size() - body) {
            wav.problem = "chunk '" + id + "' runs past the end of the file";
            return wav;
        }
        if (id == "fmt ") {
            if (size < 16) {
                wav.problem = "format chunk too short";
                return wav;
            }
            wav.format = std::uint16_t(littleEndian(bytes, body, 2));
            wav.channels = std::uint16_t(littleEndian(bytes, body + 2, 2));
            wav.sampleRate = littleEndian(bytes, body + 4, 4);
            wav.byteRate = littleEndian(bytes, body + 8, 4);
            wav.blockAlign = std::uint16_t(littleEndian(bytes, body + 12, 2));
            wav.bitsPerSample = std::uint16_t(littleEndian(bytes, body + 14, 2));
            haveFormat = true;
        } else if (id == "data") {
            if (size % 2 != 0) {
                wav.problem = "data chunk holds half a sample";
                return wav;
            }
            for (std::size_t i = body; i < body + size; i += 2)
                wav.samples.push_back(std::int16_t(littleEndian(bytes, i, 2)));
            haveData = true;
        }
        at = body + size + (size % 2); // chunks are padded to an even length
    }
    if (!haveFormat || !haveData)
        wav.problem = haveFormat ? "no data chunk" : "no format chunk";
    return wav;
}

double peakDb(std::vector<std::int16_t>::const_iterator first, std::vector<std::int16_t>::const_iterator last)
{
    int peak = 0;
    for (auto it = first; it != last; ++it)
        peak = std::max(peak, std::abs(int(*it)));
    return peak == 0 ? -200.0 : 20.0 * std::log10(peak / kFullScale);
}

std::string testName(const testing::TestParamInfo<Sound>& info)
{
    std::string name = resolve(info.param.relativePath).stem().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

class SoundFile : public testing::TestWithParam<Sound> {
protected:
    void SetUp() override
    {
        path = resolve(GetParam().relativePath);
        ASSERT_TRUE(fs::is_regular_file(path)) << "missing: " << path;
        wav = readWav(path);
        ASSERT_EQ(wav.problem, "") << path;
        ASSERT_FALSE(wav.samples.empty()) << path;
    }

    fs::path path;
    Wav wav;
};

TEST_P(SoundFile, IsPlainPcmMonoSixteenBit)
{
    EXPECT_EQ(wav.format, 1) << "not plain PCM";
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bitsPerSample, 16);
    EXPECT_TRUE(wav.sampleRate == 22050 || wav.sampleRate == 44100) << wav.sampleRate << " Hz";
    EXPECT_EQ(wav.blockAlign, 2);
    EXPECT_EQ(wav.byteRate, wav.sampleRate * 2);
}

TEST_P(SoundFile, LastsAsLongAsItsKindShould)
{
    const SoundKind kind = GetParam().kind;
    EXPECT_GE(wav.seconds(), kind.minSeconds);
    EXPECT_LE(wav.seconds(), kind.maxSeconds);
}

TEST_P(SoundFile, PeaksJustBelowFullScale)
{
    const double peak = peakDb(wav.samples.begin(), wav.samples.end());
    EXPECT_GE(peak, kMinPeakDb);
    EXPECT_LE(peak, kMaxPeakDb);
}

TEST_P(SoundFile, StartsAndEndsOnNearSilence)
{
    const auto edge = std::min<std::ptrdiff_t>(std::ptrdiff_t(kEdgeSeconds * wav.sampleRate),
                                               std::ptrdiff_t(wav.samples.size()));
    EXPECT_LE(peakDb(wav.samples.begin(), wav.samples.begin() + edge), kEdgeMaxDb) << "start";
    EXPECT_LE(peakDb(wav.samples.end() - edge, wav.samples.end()), kEdgeMaxDb) << "end";
}

INSTANTIATE_TEST_SUITE_P(EverySoundTheGamePlays, SoundFile, testing::ValuesIn(allSounds()), testName);

// A stray file, such as one whose name differs only in letter case, would
// ship beside the real one and on a case-insensitive disk replace it.
TEST(SoundFolder, HoldsExactlyTheSoundsTheGamePlays)
{
    std::map<fs::path, std::set<std::string>> expected;
    for (const Sound& sound : allSounds()) {
        const fs::path path = resolve(sound.relativePath);
        expected[path.parent_path()].insert(path.filename().string());
    }
    for (const auto& [folder, names] : expected) {
        ASSERT_TRUE(fs::is_directory(folder)) << folder;
        std::set<std::string> present;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            present.insert(entry.path().filename().string());
        EXPECT_EQ(present, names) << folder;
    }
}

} // namespace
