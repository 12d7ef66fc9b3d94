#include "window/image_control.h"

#include <QPaintEvent>
#include <QPainter>

#include "window/pictures.h"

namespace window {

ImageControl::ImageControl(const QImage& picture, QWidget* parent)
    : QWidget(parent), picture_(picture)
{
}

void ImageControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintPicture(painter, QPoint(0, 0), picture_);
}

} // namespace window
