// Which map pixel the player points at, on screens of every scale: the map
// pixel that holds the centre of the device pixel under the pointer, and none
// where that device pixel shows the frame rather than the map.

#include <gtest/gtest.h>

#include <optional>

#include "window/map_pixel.h"

namespace {

struct Case {
    const char* what;
    qreal scale;
    QPoint device;  // the device pixel under the pointer, from the window's corner
    std::optional<QPoint> pixel;
};

// The map's top-left pixel lies 2 logical pixels right of the window's edge
// (the frame) and 24 below it (a menu bar and the frame).
constexpr QPoint kOrigin(2, 24);

const Case kCases[] = {
    {"1x: the map's first pixel", 1.0, {2, 24}, QPoint(0, 0)},
    {"1x: the frame left of it", 1.0, {1, 24}, std::nullopt},
    {"1x: the frame above it", 1.0, {2, 23}, std::nullopt},
    {"1x: the map's last pixel", 1.0, {620, 562}, QPoint(618, 538)},
    {"1x: the frame right of it", 1.0, {621, 562}, std::nullopt},
    {"1x: the frame below it", 1.0, {620, 563}, std::nullopt},

    {"2x: both device pixels of the first column", 2.0, {5, 48}, QPoint(0, 0)},
    {"2x: the frame left of it", 2.0, {3, 49}, std::nullopt},
    {"2x: the map's last pixel", 2.0, {1241, 1125}, QPoint(618, 538)},
    {"2x: the frame right of it", 2.0, {1242, 1125}, std::nullopt},
    {"2x: the frame below it", 2.0, {1241, 1126}, std::nullopt},

    // The map starts at 2.5 device pixels: its picture starts on device pixel 3.
    {"1.25x: the frame's inner ring beside the first column", 1.25, {2, 30}, std::nullopt},
    {"1.25x: the map's first pixel", 1.25, {3, 30}, QPoint(0, 0)},
    {"1.25x: the second device pixel", 1.25, {4, 31}, QPoint(1, 1)},
    {"1.25x: the frame above the map", 1.25, {3, 29}, std::nullopt},
    {"1.25x: the picture's last column and row", 1.25, {776, 703}, QPoint(618, 538)},
    {"1.25x: the frame right of it", 1.25, {777, 703}, std::nullopt},
    {"1.25x: the frame below it", 1.25, {776, 704}, std::nullopt},

    {"1.5x: the map's first pixel", 1.5, {3, 36}, QPoint(0, 0)},
    {"1.5x: a device pixel whose centre is a map pixel's left edge", 1.5, {4, 37}, QPoint(1, 1)},
    {"1.5x: the frame left of the map", 1.5, {2, 36}, std::nullopt},
    {"1.5x: the map's last pixel", 1.5, {930, 843}, QPoint(618, 538)},
    // The picture's last device pixel has its centre on the map's far edge.
    {"1.5x: the picture's last column", 1.5, {931, 843}, std::nullopt},
    {"1.5x: the picture's last row", 1.5, {930, 844}, std::nullopt},

    // Each device pixel holds two map pixels; its centre lies on their edge.
    {"0.5x: the first device pixel of the map", 0.5, {1, 12}, QPoint(1, 1)},
    {"0.5x: the frame left of the map", 0.5, {0, 12}, std::nullopt},
    {"0.5x: the last device pixel with a whole map pixel", 0.5, {309, 280}, QPoint(617, 537)},
    {"0.5x: the picture's last column", 0.5, {310, 280}, std::nullopt},

    {"0.75x: the map starts at 1.5 device pixels", 0.75, {2, 18}, QPoint(0, 0)},
    {"0.75x: the frame left of the map", 0.75, {1, 18}, std::nullopt},
};

TEST(MapPixelTest, theDevicePixelUnderThePointerShowsOneMapPixelOrNone)
{
    for (const Case& c : kCases) {
        // The window system reports a device pixel's corner in logical pixels.
        const QPointF pointer(c.device.x() / c.scale, c.device.y() / c.scale);
        EXPECT_EQ(window::mapPixelUnder(pointer, kOrigin, c.scale), c.pixel) << c.what;
    }
}

// Positions between device pixels, as a test or a fractional pointer gives
// them, belong to the device pixel they round to.
TEST(MapPixelTest, aLogicalPointBelongsToTheDevicePixelItRoundsTo)
{
    EXPECT_EQ(window::mapPixelUnder({2.0, 24.0}, kOrigin, 1.25), QPoint(0, 0));
    EXPECT_EQ(window::mapPixelUnder({1.6, 24.0}, kOrigin, 1.25), std::nullopt);
    EXPECT_EQ(window::mapPixelUnder({3.0, 25.0}, kOrigin, 1.5), QPoint(1, 1));
}

} // namespace
