#include <gtest/gtest.h>

#include "app/display_check.h"

namespace {

struct RoomCase {
    const char* name;
    QSize screen; // logical pixels
    qreal scale;
    bool shown;
};

void PrintTo(const RoomCase& c, std::ostream* os)
{
    *os << c.name;
}

class WindowRoom : public ::testing::TestWithParam<RoomCase> {};

// The window's map and buttons take 796 by 544 logical pixels.
TEST_P(WindowRoom, RefusesOnlyAWindowNoDisplayCouldShow)
{
    const RoomCase& c = GetParam();
    EXPECT_EQ(app::windowCanBeShown(c.screen, c.scale, QSize(796, 544)), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, WindowRoom,
    ::testing::Values(RoomCase{"Plain", {1280, 1024}, 1, true},
                      RoomCase{"SmallerThanTheWindow", {640, 480}, 1, true},
                      RoomCase{"Twice", {960, 600}, 2, true},
                      RoomCase{"BelowOne", {2560, 2048}, 0.5, true},
                      // Three screens wide still plays; more does not.
                      RoomCase{"ThreeScreensAcross", {266, 256}, 4, true},
                      RoomCase{"MoreThanThreeScreensAcross", {265, 256}, 4, false},
                      RoomCase{"MoreThanThreeScreensDown", {320, 181}, 4, false},
                      // Past the largest window X11 holds, however large the screen.
                      RoomCase{"LargerThanX11Holds", {1000, 1000}, 41.2, false},
                      RoomCase{"AThousand", {1, 1}, 1000, false},
                      RoomCase{"Zero", {1280, 1024}, 0, false},
                      RoomCase{"Negative", {1280, 1024}, -1, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
