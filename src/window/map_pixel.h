#pragma once

#include <QPoint>
#include <QPointF>
#include <optional>

namespace window {

// The map pixel the player points at: the whole map pixel that holds the
// device pixel under the pointer, or none where that device pixel shows no
// map pixel (the frame around the map, or anything else).
//
// `pointer` is the pointer's position in the window's logical pixels, as the
// window system reports it: a device pixel's top-left corner divided by the
// scale. `mapOrigin` is where the map's top-left pixel lies in the same
// pixels. This is the one place that knows how the map lands on the screen's
// own pixels: its picture starts on the device pixel nearest the map's origin
// and is as many device pixels wide as the map times the scale, rounded; each
// of those device pixels shows the map pixel that holds its centre.
std::optional<QPoint> mapPixelUnder(QPointF pointer, QPoint mapOrigin, qreal devicePixelRatio);

} // namespace window
