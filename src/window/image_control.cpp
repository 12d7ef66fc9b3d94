#include "window/image_control.h"

#include <QPaintEvent>
#include <QPainter>

namespace window {

ImageControl::ImageControl(const QImage& picture, QWidget* parent)
    : QWidget(parent), picture_(picture)
{
}

void ImageControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

} // namespace window
