#pragma once

#include <QRect>

#include "window/country_labels.h"

namespace window {

// The window is laid out in twips for a 96-dot-per-inch screen: 1440 twips to
// the inch, 15 to the pixel and 20 to the point.
inline constexpr int kTwipsPerPoint = 20;

constexpr int toPixels(int twips)
{
    return twips / kTwipsPerPixel;
}

constexpr QRect toPixels(const TwipRect& r)
{
    return QRect(toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height));
}

// Font sizes are points of that same screen, so text keeps its size against the
// controls whatever dots per inch the desktop reports.
constexpr double pointsToPixels(double points)
{
    return points * kTwipsPerPoint / kTwipsPerPixel;
}

} // namespace window
