#pragma once

#include <QRect>

namespace window {

// The window is laid out in twips for a 96-dot-per-inch screen: 1440 twips to
// the inch, 15 to the pixel and 20 to the point.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kTwipsPerPoint = 20;

// A rectangle in twips, relative to its container's top-left pixel.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;

    // Right and bottom bounds are outside: a rectangle covers its width and
    // height and no more. The country labels still share a pixel row or column
    // with their neighbours, because each is one pixel wider and higher than
    // the 8-pixel grid its corners stand on.
    constexpr bool contains(int x, int y) const
    {
        return left <= x && x < left + width && top <= y && y < top + height;
    }

    // Whether every edge lies on a pixel's boundary.
    constexpr bool onPixelGrid() const
    {
        return left % kTwipsPerPixel == 0 && top % kTwipsPerPixel == 0
            && width % kTwipsPerPixel == 0 && height % kTwipsPerPixel == 0;
    }

    // Whether the rectangle covers a pixel of its container. On the pixel
    // grid, the pixel's first twip decides.
    constexpr bool containsPixel(QPoint pixel) const
    {
        return contains(pixel.x() * kTwipsPerPixel, pixel.y() * kTwipsPerPixel);
    }
};

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
