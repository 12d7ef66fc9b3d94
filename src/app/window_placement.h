#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

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

} // namespace app
