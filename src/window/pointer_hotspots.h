#pragma once

#include <array>
#include <string_view>

namespace window {

// A custom mouse pointer: a 32 by 32 picture embedded by
// assets/pictures/pictures.qrc, and the pixel of it that does the pointing,
// counted from its top-left corner. The window makes a QCursor of each:
//     QCursor(QPixmap(QString::fromUtf8(p.resource)), p.hotX, p.hotY)
struct PointerPicture {
    std::string_view resource;
    int hotX;
    int hotY;
};

// A ring of stars reads as a cross-hair, so the flags point with the ring's
// centre; a player aiming at a one-pixel label needs to know where that is.

// The plain flag of Europe, over the window's own surface and the right-hand column.
inline constexpr PointerPicture kWindowPointer{":/pictures/window-pointer.png", 15, 15};

// The flag of Europe in the top 31 by 20 pixels, over the country labels.
inline constexpr PointerPicture kCountryLabelPointer{":/pictures/country-label-pointer.png", 15, 10};

// The flag of Italy, placed like the flag of Europe, for the hidden labels
// that the player never reaches.
inline constexpr PointerPicture kItalianFlagPointer{":/pictures/italian-flag-pointer.png", 15, 10};

// The globe, over the map between the labels; it points with its centre.
inline constexpr PointerPicture kMapPointer{":/pictures/map-pointer.png", 15, 15};

// The raised hand on a red octagon, over the exit button; it points with the
// tip of its middle finger, the highest point of the hand.
inline constexpr PointerPicture kExitButtonPointer{":/pictures/exit-button-pointer.png", 14, 6};

inline constexpr std::array kPointerPictures{
    kWindowPointer, kCountryLabelPointer, kItalianFlagPointer, kMapPointer, kExitButtonPointer,
};

}  // namespace window
