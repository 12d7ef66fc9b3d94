#pragma once

#include <cstdint>

namespace window {

// A picture decoded when the program is built, so that showing it costs no
// decoding when the program starts: this header, then the colour table, then
// the rows of pixels in the layout QImage paints from without converting, in
// the byte order of the build machine. An opaque picture of at most 256
// colours is kept as 8-bit indices into its table of exactly those colours
// (Indexed8), a quarter of its 32-bit size; any other picture has no table and
// 32-bit pixels (opaque ones as RGB32, the others as premultiplied ARGB32).
// Every part is a whole number of four-byte words, so the rows stay on a
// four-byte boundary, as QImage requires.
struct BakedPictureHeader {
    std::uint32_t magic;
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t format;       // a QImage::Format
    std::uint32_t bytesPerLine; // a multiple of four
    std::uint32_t colours;      // entries of the colour table, each a 32-bit QRgb
};

inline constexpr std::uint32_t kBakedPictureMagic = 0x32505145; // "EQP2" read in little-endian
inline constexpr int kBakedColourBytes = 4;
inline constexpr int kBakedLargestColourTable = 256;

} // namespace window
