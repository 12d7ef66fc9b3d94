#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <array>
#include <optional>

#include "window/picture_files.h"
#include "window/pointer_pictures.h"

namespace window {

// Every picture is built into the program decoded, at its own size and at
// twice it; none is read from disk or decoded at start. On a screen that
// scales, the picture is its copy at twice the size. Painted as an image: the
// map and the flag tile are kept as indices into their few colours, which a
// pixmap would widen to 32 bits.
QImage picture(Picture which, qreal devicePixelRatio = 1.0);

// Paints a picture at its own size in the layout, its top-left corner at `at`.
// At scales other than one and two the painter draws it smoothly from the copy
// at twice the size, so that no line of it is dropped or doubled; only what is
// painted is resampled, and no resampled copy is kept.
void paintPicture(QPainter& painter, QPoint at, const QImage& picture);
QIcon programIcon();

// Desktops stop growing their pointers at a few times their size; beyond this
// scale, so do the window's.
inline constexpr qreal kLargestPointerScale = 4;

// The window's pointers, each made once, on first use, and kept: the map
// switches between the labels' flag and the globe as the mouse moves over it.
// On a screen that scales they are made at its scale.
class Pointers {
public:
    explicit Pointers(qreal devicePixelRatio = 1.0);
    const QCursor& operator[](PointerPicture which);

private:
    qreal devicePixelRatio_;
    std::array<std::optional<QCursor>, kPointerFiles.size()> made_;
};

} // namespace window
