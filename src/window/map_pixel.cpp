#include "window/map_pixel.h"

#include <cmath>

#include "window/form1_layout.h"

namespace window {

namespace {

// Along one axis: the map pixel shown on the device pixel under the pointer.
std::optional<int> mapPixelAlong(qreal pointer, int origin, int length, qreal ratio)
{
    const long device = std::lround(pointer * ratio);
    const long column = device - qRound(origin * ratio);
    if (column < 0 || column >= qRound(length * ratio))
        return std::nullopt;
    // Worked out from the device pixel's whole number, so that a centre that
    // falls exactly on a map pixel's edge belongs to the pixel that starts there.
    const auto pixel = static_cast<int>(std::floor((static_cast<qreal>(column) + 0.5) / ratio));
    if (pixel >= length)
        return std::nullopt;
    return pixel;
}

} // namespace

std::optional<QPoint> mapPixelUnder(QPointF pointer, QPoint mapOrigin, qreal devicePixelRatio)
{
    const std::optional<int> x = mapPixelAlong(pointer.x(), mapOrigin.x(), layout::kMapWidth, devicePixelRatio);
    const std::optional<int> y = mapPixelAlong(pointer.y(), mapOrigin.y(), layout::kMapHeight, devicePixelRatio);
    if (!x || !y)
        return std::nullopt;
    return QPoint(*x, *y);
}

} // namespace window
