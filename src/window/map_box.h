#pragma once

#include <QWidget>

#include "window/map_area.h"

namespace window {

// The map picture box: a two-pixel sunken frame around an inner area that
// shows the map at its own size, routes the clicks on it to the country
// labels and clips whatever it holds.
class MapBox : public QWidget {
    Q_OBJECT

public:
    static constexpr int kFrameWidth = 2;

    MapBox(Pointers& pointers, MapArea::LabelClick onLabelClick, QWidget* parent);

    // Where the prompt line lives; the map's top-left pixel is its origin, as
    // it is of the country labels' rectangles.
    QWidget* innerArea() const { return inner_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* inner_;
};

} // namespace window
