#include "window/whole_pixel_mouse.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>
#include <cmath>

namespace window {

namespace {

bool isPointerEvent(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease
        || type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
}

// The logical pixel holding the centre of the device pixel whose top-left
// corner lies at `logical`. Worked out from the device pixel's own whole
// number, so that a centre that falls exactly on a logical pixel's edge
// belongs to the pixel that starts there, free of rounding error.
qreal wholePixel(qreal logical, qreal devicePixelRatio)
{
    const qreal device = std::round(logical * devicePixelRatio);
    return std::floor((device + 0.5) / devicePixelRatio);
}

QPointF wholePixel(QPointF logical, qreal devicePixelRatio)
{
    return {wholePixel(logical.x(), devicePixelRatio), wholePixel(logical.y(), devicePixelRatio)};
}

} // namespace

bool WholePixelMouse::eventFilter(QObject* watched, QEvent* event)
{
    auto* window = qobject_cast<QWindow*>(watched);
    if (window == nullptr || !isPointerEvent(event->type()))
        return false;
    const qreal ratio = window->devicePixelRatio();
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPointF local = wholePixel(mouse->position(), ratio);
    if (ratio == 1.0 || local == mouse->position())
        return false;
    // The window's own point and the screen's move by the same whole offset.
    const QPointF shift = local - mouse->position();
    QMouseEvent whole(mouse->type(), local, mouse->scenePosition() + shift,
                      mouse->globalPosition() + shift, mouse->button(), mouse->buttons(),
                      mouse->modifiers(), mouse->pointingDevice());
    whole.setTimestamp(mouse->timestamp());
    QCoreApplication::sendEvent(window, &whole);
    event->setAccepted(whole.isAccepted());
    return true;
}

} // namespace window
