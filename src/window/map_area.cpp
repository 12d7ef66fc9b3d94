#include "window/map_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "window/map_pixel.h"

namespace window {

MapArea::MapArea(Pointers& pointers, LabelClick onLabelClick, QWidget* parent)
    : QWidget(parent), pointers_(pointers), onLabelClick_(std::move(onLabelClick))
{
    setMouseTracking(true);
    setCursor(pointers_[PointerPicture::Globe]);
}

void MapArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintPicture(painter, QPoint(0, 0), picture(Picture::Map, devicePixelRatioF()));
}

std::optional<QPoint> MapArea::mapPixelAt(QPointF inWindow) const
{
    return mapPixelUnder(inWindow, mapTo(window(), QPoint(0, 0)), devicePixelRatioF());
}

const CountryLabel* MapArea::labelUnder(QPointF inWindow) const
{
    const std::optional<QPoint> pixel = mapPixelAt(inWindow);
    return pixel ? labelAt(*pixel) : nullptr;
}

// Every shown label carries the same flag.
void MapArea::pointAt(QPointF inWindow)
{
    const PointerPicture wanted = labelUnder(inWindow) != nullptr ? PointerPicture::CountryLabel
                                                                  : PointerPicture::Globe;
    if (wanted == shown_)
        return;
    shown_ = wanted;
    setCursor(pointers_[wanted]);
}

// A label takes every press on it, whichever the button: a later left release
// clicks it only if the press was the left button's.
void MapArea::mousePressEvent(QMouseEvent* event)
{
    const CountryLabel* label = labelUnder(event->scenePosition());
    pressed_ = event->button() == Qt::LeftButton ? label : nullptr;
    event->setAccepted(label != nullptr);
}

// A click is a left press on a label and a left release inside that same
// label's rectangle, wherever another label lies over the point of release.
void MapArea::mouseReleaseEvent(QMouseEvent* event)
{
    const CountryLabel* pressed = std::exchange(pressed_, nullptr);
    event->setAccepted(pressed != nullptr);
    if (pressed == nullptr || event->button() != Qt::LeftButton || !pressed->hasHandler)
        return;
    const std::optional<QPoint> pixel = mapPixelAt(event->scenePosition());
    if (pixel && pressed->rect.containsPixel(*pixel))
        onLabelClick_(*pressed);
}

void MapArea::mouseMoveEvent(QMouseEvent* event)
{
    pointAt(event->scenePosition());
    event->ignore();
}

void MapArea::enterEvent(QEnterEvent* event)
{
    pointAt(event->scenePosition());
}

} // namespace window
