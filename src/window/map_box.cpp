#include "window/map_box.h"

#include <QPainter>
#include <qdrawutil.h>

#include "window/country_labels.h"
#include "window/pictures.h"

namespace window {

namespace {
class MapArea : public QWidget {
public:
    explicit MapArea(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, picture(Picture::Map, devicePixelRatioF()));
    }
};
} // namespace

MapBox::MapBox(QWidget* parent) : QWidget(parent), inner_(new MapArea(this))
{
    inner_->setObjectName(QStringLiteral("mapArea"));
    inner_->setGeometry(kFrameWidth, kFrameWidth, kMapWidth, kMapHeight);
}

void MapBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), true);
}

} // namespace window
