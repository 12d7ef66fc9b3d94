#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace app {

// Where the window's frame goes on a screen whose free area is `available`:
// centred along each side where it fits; where it does not, against the free
// area's left or top edge, so that the title bar, the menu bar and the west of
// the map stay on the screen and the rest runs off to the right and bottom.
constexpr QPoint frameTopLeft(const QRect& available, const QSize& frame)
{
    const auto place = [](int start, int room, int size) {
        return size <= room ? start + (room - size) / 2 : start;
    };
    return {place(available.x(), available.width(), frame.width()),
            place(available.y(), available.height(), frame.height())};
}

// Moves the window, not yet shown, to where frameTopLeft puts its whole frame
// on its screen (a no-op on Wayland, where the window system places windows).
// Under an X11 window manager that answers the question, the title bar and
// borders it will draw are asked of it before the window shows, so the window
// opens where it stays; with no such manager the window is its frame.
void placeOnScreen(QWidget& window);

} // namespace app
