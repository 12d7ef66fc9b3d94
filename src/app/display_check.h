#pragma once

#include <QSize>

namespace app {

// Once the application is created: ends the start with endStart when the
// display system that started cannot show the program's window (it shows no
// window of this kind, or has no screen), or when a window of `logicalSize`
// could not be drawn there at the screen's scale.
void requireDisplayShows(QSize logicalSize);

// The longest side, in device pixels, of a window that the X11 protocol can
// describe.
inline constexpr int kLargestWindowSide = 32767;
// How many screens wide (and high) a window may be and still be worth showing:
// beyond that, nearly all of it lies off the screen, and its pictures at the
// screen's scale alone would take gigabytes.
inline constexpr int kMostScreensAcross = 3;

// Whether a window of `window` logical pixels can be shown at `scale` on a
// screen of `screen` logical pixels.
constexpr bool windowCanBeShown(QSize screen, qreal scale, QSize window)
{
    const auto fits = [scale](int side, int screenSide) {
        return side * scale <= kLargestWindowSide && side <= kMostScreensAcross * screenSide;
    };
    return scale > 0 && fits(window.width(), screen.width()) && fits(window.height(), screen.height());
}

} // namespace app
