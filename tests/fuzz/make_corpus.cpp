// Writes the fuzzer's seed corpus: small valid files of every layout the
// player reads, and the same files broken in the ways found in the wild.

#include <cstdio>
#include <functional>
#include <random>

#include "wav_builder.h"

namespace {

using testsupport::WavLayout;
using Bytes = std::vector<std::uint8_t>;

Bytes tone(const WavLayout& layout)
{
    return testsupport::toneWav(layout, 440.0, 0.005);
}

Bytes edited(const WavLayout& layout, const std::function<void(Bytes&)>& edit)
{
    Bytes file = tone(layout);
    edit(file);
    return file;
}

Bytes withChunkFirst(const WavLayout& layout, const Bytes& chunk)
{
    Bytes file = tone(layout);
    file.insert(file.begin() + 12, chunk.begin(), chunk.end());
    testsupport::putLe32(file, testsupport::kRiffSizeOffset, static_cast<std::uint32_t>(file.size() - 8));
    return file;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const WavLayout s16{1, 1, 8000, 16};
    std::mt19937 random(8); // fixed, so the corpus is the same every time
    Bytes garbage(256);
    for (auto& b : garbage)
        b = static_cast<std::uint8_t>(random());
    Bytes riffGarbage = garbage;
    std::copy_n("RIFF\xF8\0\0\0WAVE", 12, riffGarbage.begin());

    const std::vector<std::pair<const char*, Bytes>> seeds{
        {"u8-mono-8k.wav", tone({1, 1, 8000, 8})},
        {"s16-mono-8k.wav", tone(s16)},
        {"s16-stereo-11k.wav", tone({1, 2, 11025, 16})},
        {"s24-mono-8k.wav", tone({1, 1, 8000, 24})},
        {"s32-stereo-8k.wav", tone({1, 2, 8000, 32})},
        {"f32-stereo-8k.wav", tone({3, 2, 8000, 32})},
        {"extensible-s16-stereo.wav", tone({1, 2, 8000, 16, true})},
        {"extensible-f32-mono.wav", tone({3, 1, 8000, 32, true})},
        {"list-chunk-first.wav", withChunkFirst(s16, {'L', 'I', 'S', 'T', 5, 0, 0, 0, 'I', 'N', 'F', 'O', 0, 0})},
        {"riff-size-past-end.wav", edited(s16, [](Bytes& f) { testsupport::putLe32(f, 4, 0xFFFFFFFF); })},
        {"data-size-past-end.wav", edited(s16, [](Bytes& f) { testsupport::putLe32(f, 40, 0x7FFFFFFF); })},
        {"fmt-size-past-end.wav", edited(s16, [](Bytes& f) { testsupport::putLe32(f, 16, 0x10000); })},
        {"truncated-header.wav", edited(s16, [](Bytes& f) { f.resize(30); })},
        {"truncated-data.wav", edited(s16, [](Bytes& f) { f.resize(f.size() - 7); })},
        {"adpcm-tag.wav", edited(s16, [](Bytes& f) { f[20] = 2; })},
        {"no-channels.wav", edited(s16, [](Bytes& f) { f[22] = 0; })},
        {"six-channels.wav", edited({1, 6, 8000, 16}, [](Bytes&) {})},
        {"garbage.bin", garbage},
        {"riff-garbage.wav", riffGarbage},
    };
    for (const auto& [name, bytes] : seeds)
        testsupport::writeBytes(dir / name, bytes);
    return 0;
}
