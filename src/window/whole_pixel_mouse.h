#pragma once

#include <QObject>

namespace window {

// Hands the window's controls each mouse position as the whole logical pixel
// that holds the device pixel under the pointer.
//
// On a scaled screen a device pixel lies at a fraction of a logical pixel;
// Qt rounds that to the nearest whole one to find the control under the
// pointer, so at twice the size the right-hand and lower device pixel of every
// logical pixel went to the next one, and a click landed one device pixel up
// and to the left of where it was drawn. A map pixel owns every device pixel
// whose centre it holds, at every scale.
class WholePixelMouse : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace window
