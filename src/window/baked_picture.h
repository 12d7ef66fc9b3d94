#pragma once

#include <cstdint>

namespace window {

// A picture decoded when the program is built, so that showing it costs no
// decoding when the program starts: this header, then the rows of 32-bit
// pixels in the layout QImage uses for painting (opaque pictures as RGB32,
// the others as premultiplied ARGB32), in the byte order of the build
// machine. The header keeps the pixels on a four-byte boundary.
struct BakedPictureHeader {
    std::uint32_t magic;
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t format; // a QImage::Format
};

inline constexpr std::uint32_t kBakedPictureMagic = 0x58505145; // "EQPX" read in little-endian
inline constexpr int kBakedPictureBytesPerPixel = 4;

} // namespace window
