#pragma once

#include <array>
#include <string_view>

namespace window {

// The window's custom mouse pointers, one for each picture.
enum class PointerPicture {
    Window,       // the plain flag of Europe, over the window's own surface and the right-hand column
    CountryLabel, // the flag of Europe in the top 31 by 20 pixels, over the country labels
    Globe,        // over the map between the labels
    Hand,         // the raised hand on a red octagon, over the exit button
};

// Every pointer's picture is this many pixels square.
inline constexpr int kPointerSide = 32;

// A pointer's picture is named by its stem, as every picture is (see
// picture_files.h); the hot spot is the pixel of it that does the pointing,
// counted from its top-left corner.
struct PointerFile {
    PointerPicture which;
    std::string_view stem;
    int hotX;
    int hotY;
};

// Indexed by the enumeration.
//
// A ring of stars reads as a cross-hair, so the flags point with the ring's
// centre: a player aiming at a one-pixel label needs to know where that is.
// The globe points with its centre too; the hand with the tip of its middle
// finger, the highest point of the hand.
inline constexpr std::array kPointerFiles{
    PointerFile{PointerPicture::Window, "window-pointer", 15, 15},
    PointerFile{PointerPicture::CountryLabel, "country-label-pointer", 15, 10},
    PointerFile{PointerPicture::Globe, "map-pointer", 15, 15},
    PointerFile{PointerPicture::Hand, "exit-button-pointer", 14, 6},
};

constexpr bool indexedByPicture()
{
    for (std::size_t i = 0; i < kPointerFiles.size(); ++i) {
        if (static_cast<std::size_t>(kPointerFiles[i].which) != i)
            return false;
    }
    return true;
}
static_assert(indexedByPicture());

constexpr const PointerFile& pointerFile(PointerPicture which)
{
    return kPointerFiles[static_cast<std::size_t>(which)];
}

} // namespace window
