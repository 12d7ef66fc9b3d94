#include "wav_builder.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <sys/stat.h>

namespace testsupport {

namespace {

void putLe16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void appendLe32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void appendId(std::vector<std::uint8_t>& out, const char* id)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(id[i]));
}

void appendSample(std::vector<std::uint8_t>& out, const WavLayout& layout, double value)
{
    if (layout.tag == 3) {
        const float f = static_cast<float>(value);
        std::uint32_t bits = 0;
        std::memcpy(&bits, &f, sizeof bits);
        appendLe32(out, bits);
        return;
    }
    if (layout.bits == 8) {
        out.push_back(static_cast<std::uint8_t>(std::lround(128.0 + value * 127.0)));
        return;
    }
    const double full = std::ldexp(1.0, layout.bits - 1) - 1.0;
    const auto v = static_cast<std::int64_t>(std::llround(value * full));
    for (int shift = 0; shift < layout.bits; shift += 8)
        out.push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(v) >> shift));
}

} // namespace

std::vector<std::uint8_t> toneSamples(const WavLayout& layout, double hertz, double seconds)
{
    std::vector<std::uint8_t> out;
    const auto frames = static_cast<long>(std::lround(seconds * layout.rate));
    for (long i = 0; i < frames; ++i) {
        const double value = 0.5 * std::sin(2.0 * std::numbers::pi * hertz * i / layout.rate);
        for (int c = 0; c < layout.channels; ++c)
            appendSample(out, layout, value);
    }
    return out;
}

std::vector<std::uint8_t> wavFile(const WavLayout& layout, std::span<const std::uint8_t> samples)
{
    const int blockAlign = layout.channels * layout.bits / 8;
    std::vector<std::uint8_t> fmt;
    putLe16(fmt, layout.extensible ? 0xFFFE : layout.tag);
    putLe16(fmt, static_cast<std::uint16_t>(layout.channels));
    appendLe32(fmt, static_cast<std::uint32_t>(layout.rate));
    appendLe32(fmt, static_cast<std::uint32_t>(layout.rate * blockAlign));
    putLe16(fmt, static_cast<std::uint16_t>(blockAlign));
    putLe16(fmt, static_cast<std::uint16_t>(layout.bits));
    if (layout.extensible) {
        putLe16(fmt, 22);
        putLe16(fmt, static_cast<std::uint16_t>(layout.bits));
        appendLe32(fmt, layout.channels == 1 ? 0x4 : 0x3);
        putLe16(fmt, layout.tag);
        const std::uint8_t tail[] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                     0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
        fmt.insert(fmt.end(), std::begin(tail), std::end(tail));
    }

    std::vector<std::uint8_t> out;
    appendId(out, "RIFF");
    appendLe32(out, 0); // patched below
    appendId(out, "WAVE");
    appendId(out, "fmt ");
    appendLe32(out, static_cast<std::uint32_t>(fmt.size()));
    out.insert(out.end(), fmt.begin(), fmt.end());
    appendId(out, "data");
    appendLe32(out, static_cast<std::uint32_t>(samples.size()));
    out.insert(out.end(), samples.begin(), samples.end());
    if (samples.size() % 2 != 0)
        out.push_back(0);
    putLe32(out, kRiffSizeOffset, static_cast<std::uint32_t>(out.size() - 8));
    return out;
}

void putLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(value >> (8 * i));
}

void writeBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

TempDir::TempDir(const std::string& prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    // Readable by everyone, for the checks that run with a lesser user.
    ::chmod(path_.c_str(), 0755);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

} // namespace testsupport
