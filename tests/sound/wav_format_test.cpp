#include <gtest/gtest.h>

#include <cmath>

#include "sound/wav_format.h"
#include "layout_case.h"
#include "wav_builder.h"

namespace {

using sound::SampleEncoding;
using sound::parseWav;
using testsupport::LayoutCase;
using testsupport::WavLayout;
using Bytes = std::vector<std::uint8_t>;

class EveryPcmLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(EveryPcmLayout, IsReadWithItsFormatAndEveryFrame)
{
    const auto& c = GetParam();
    const Bytes file = testsupport::toneWav(c.layout, 440.0, 0.1);
    const auto wav = parseWav(file);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->encoding, c.encoding);
    EXPECT_EQ(wav->channels, c.layout.channels);
    EXPECT_EQ(wav->rate, c.layout.rate);
    const auto frames = static_cast<std::size_t>(std::lround(c.layout.rate * 0.1));
    EXPECT_EQ(wav->samples.size(), frames * c.layout.channels * c.layout.bits / 8);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EveryPcmLayout,
    ::testing::Values(
        LayoutCase{"U8Mono11k", {1, 1, 11025, 8}, SampleEncoding::Unsigned8},
        LayoutCase{"U8Stereo22k", {1, 2, 22050, 8}, SampleEncoding::Unsigned8},
        LayoutCase{"S16Mono44k", {1, 1, 44100, 16}, SampleEncoding::Signed16},
        LayoutCase{"S16Stereo48k", {1, 2, 48000, 16}, SampleEncoding::Signed16},
        LayoutCase{"S24Mono32k", {1, 1, 32000, 24}, SampleEncoding::Signed24},
        LayoutCase{"S32Stereo16k", {1, 2, 16000, 32}, SampleEncoding::Signed32},
        LayoutCase{"F32Stereo44k", {3, 2, 44100, 32}, SampleEncoding::Float32},
        LayoutCase{"ExtensibleS16Stereo", {1, 2, 44100, 16, true}, SampleEncoding::Signed16},
        LayoutCase{"ExtensibleF32Mono", {3, 1, 8000, 32, true}, SampleEncoding::Float32}),
    testsupport::CaseName());

// A small valid file, damaged in one way.
Bytes damaged(void (*damage)(Bytes&))
{
    Bytes file = testsupport::toneWav({1, 1, 8000, 16}, 440.0, 0.01);
    damage(file);
    return file;
}

void setFormatField(Bytes& f, std::size_t at, std::uint16_t v)
{
    f[testsupport::kFormatTagOffset + at] = static_cast<std::uint8_t>(v);
    f[testsupport::kFormatTagOffset + at + 1] = static_cast<std::uint8_t>(v >> 8);
}

TEST(WavFormat, RefusesDamagedOrForeignHeaders)
{
    using testsupport::putLe32;
    const std::vector<std::pair<const char*, void (*)(Bytes&)>> cases{
        {"RIFF size past the end", [](Bytes& f) { putLe32(f, testsupport::kRiffSizeOffset, f.size()); }},
        {"RIFF size huge", [](Bytes& f) { putLe32(f, testsupport::kRiffSizeOffset, 0xFFFFFFFF); }},
        {"RIFF size below its own id", [](Bytes& f) { putLe32(f, testsupport::kRiffSizeOffset, 3); }},
        {"data size past the end", [](Bytes& f) { putLe32(f, testsupport::kDataSizeOffset, f.size()); }},
        {"data size huge", [](Bytes& f) { putLe32(f, testsupport::kDataSizeOffset, 0xFFFFFFF0); }},
        {"fmt size past the end", [](Bytes& f) { putLe32(f, testsupport::kFmtSizeOffset, 0x7FFFFFFF); }},
        {"fmt too short", [](Bytes& f) { putLe32(f, testsupport::kFmtSizeOffset, 14); }},
        {"not RIFF", [](Bytes& f) { f[0] = 'X'; }},
        {"not WAVE", [](Bytes& f) { f[8] = 'X'; }},
        {"no fmt chunk", [](Bytes& f) { f[12] = 'X'; }},
        {"no data chunk", [](Bytes& f) { f[36] = 'X'; }},
        {"ADPCM", [](Bytes& f) { setFormatField(f, 0, 2); }},
        {"mu-law", [](Bytes& f) { setFormatField(f, 0, 7); }},
        {"MPEG", [](Bytes& f) { setFormatField(f, 0, 0x55); }},
        {"12-bit", [](Bytes& f) { setFormatField(f, 14, 12); }},
        {"64-bit float", [](Bytes& f) { setFormatField(f, 0, 3); setFormatField(f, 14, 64); }},
        {"16-bit float", [](Bytes& f) { setFormatField(f, 0, 3); }},
        {"no channels", [](Bytes& f) { setFormatField(f, 2, 0); }},
        {"65535 channels", [](Bytes& f) { setFormatField(f, 2, 0xFFFF); }},
        {"rate zero", [](Bytes& f) { putLe32(f, testsupport::kFormatTagOffset + 4, 0); }},
        {"rate absurd", [](Bytes& f) { putLe32(f, testsupport::kFormatTagOffset + 4, 0xFFFFFFFF); }},
        {"block align zero", [](Bytes& f) { setFormatField(f, 12, 0); }},
        {"block align wrong", [](Bytes& f) { setFormatField(f, 12, 3); }},
    };
    for (const auto& [what, damage] : cases)
        EXPECT_FALSE(parseWav(damaged(damage))) << what;
}

TEST(WavFormat, RefusesAnExtensibleFileOfAnotherSampleType)
{
    Bytes file = testsupport::toneWav({1, 1, 8000, 16, true}, 440.0, 0.01);
    ASSERT_TRUE(parseWav(file));
    file[testsupport::kFormatTagOffset + 24] = 2; // ADPCM's GUID
    EXPECT_FALSE(parseWav(file));
    file[testsupport::kFormatTagOffset + 24] = 1;
    file[testsupport::kFormatTagOffset + 39] ^= 0xFF; // not one of the standard GUIDs
    EXPECT_FALSE(parseWav(file));
}

TEST(WavFormat, RefusesTheFileCutAtAnyByte)
{
    const Bytes file = testsupport::toneWav({1, 2, 8000, 16}, 440.0, 0.01);
    ASSERT_TRUE(parseWav(file));
    for (std::size_t length = 0; length < file.size(); ++length) {
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(parseWav(cut)) << "cut to " << length << " bytes";
    }
}

// Writers put other chunks around the sound, and files carry trailing bytes.
TEST(WavFormat, ReadsAroundOtherChunksAndTrailingBytes)
{
    const WavLayout layout{1, 1, 8000, 8};
    const Bytes samples = testsupport::toneSamples(layout, 440.0, 0.01);
    const Bytes plain = testsupport::wavFile(layout, samples);
    const Bytes fmtChunk(plain.begin() + 12, plain.begin() + 36);
    const Bytes dataChunk(plain.begin() + 36, plain.end());
    const Bytes list{'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0}; // odd size, padded

    auto riff = [](const std::vector<Bytes>& chunks, const Bytes& trailing) {
        Bytes out{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
        for (const auto& chunk : chunks)
            out.insert(out.end(), chunk.begin(), chunk.end());
        testsupport::putLe32(out, 4, static_cast<std::uint32_t>(out.size() - 8));
        out.insert(out.end(), trailing.begin(), trailing.end());
        return out;
    };
    const std::vector<std::pair<const char*, Bytes>> files{
        {"list first", riff({list, fmtChunk, dataChunk}, {})},
        {"data before fmt", riff({dataChunk, fmtChunk}, {})},
        {"list between", riff({fmtChunk, list, dataChunk}, {})},
        {"bytes past the RIFF end", riff({fmtChunk, dataChunk}, Bytes(1000, 0xEE))},
    };
    for (const auto& [what, file] : files) {
        const auto wav = parseWav(file);
        ASSERT_TRUE(wav) << what;
        EXPECT_TRUE(std::equal(wav->samples.begin(), wav->samples.end(), samples.begin(), samples.end()))
            << what;
    }
}

TEST(WavFormat, DropsAPartialLastFrame)
{
    const WavLayout layout{1, 2, 8000, 16};
    Bytes samples = testsupport::toneSamples(layout, 440.0, 0.01);
    const std::size_t whole = samples.size();
    samples.insert(samples.end(), {1, 2, 3}); // three bytes of a four-byte frame
    const auto wav = parseWav(testsupport::wavFile(layout, samples));
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->samples.size(), whole);
}

} // namespace
