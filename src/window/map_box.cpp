#include "window/map_box.h"

#include <QPainter>
#include <utility>

#include "window/form1_layout.h"

namespace window {

MapBox::MapBox(Pointers& pointers, MapArea::LabelClick onLabelClick, QWidget* parent)
    : QWidget(parent), inner_(new MapArea(pointers, std::move(onLabelClick), this))
{
    inner_->setObjectName(QStringLiteral("mapArea"));
    inner_->setGeometry(kFrameWidth, kFrameWidth, layout::kMapWidth, layout::kMapHeight);
}

// The platform's sunken frame, two pixels deep: the outer ring dark above and
// to the left, light below and to the right; the inner ring in shadow above
// and to the left, in midlight below and to the right. Each ring is filled in
// whole logical pixels, so that on a scaled screen it covers all the device
// pixels between the window and the map and leaves no seam of background.
void MapBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const int w = width();
    const int h = height();
    const auto topLeft = [&painter](int inset, int w, int h, const QColor& colour) {
        painter.fillRect(inset, inset, 1, h - 1 - 2 * inset, colour);
        painter.fillRect(inset, inset, w - 1 - 2 * inset, 1, colour);
    };
    const auto bottomRight = [&painter](int inset, int w, int h, const QColor& colour) {
        painter.fillRect(inset, h - 1 - inset, w - 2 * inset, 1, colour);
        painter.fillRect(w - 1 - inset, inset, 1, h - 2 * inset, colour);
    };
    topLeft(0, w, h, colours.dark().color());
    bottomRight(0, w, h, colours.light().color());
    topLeft(1, w, h, colours.shadow().color());
    bottomRight(1, w, h, colours.midlight().color());
}

} // namespace window
