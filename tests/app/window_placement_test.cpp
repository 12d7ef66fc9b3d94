#include <gtest/gtest.h>

#include "app/window_placement.h"

namespace {

struct PlacementCase {
    const char* name;
    QRect available;
    QSize frame;
    QPoint expected;
};

void PrintTo(const PlacementCase& c, std::ostream* os)
{
    *os << c.name;
}

class WindowPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(WindowPlacement, KeepsTheFramesTopLeftOnTheFreeArea)
{
    const PlacementCase& c = GetParam();
    EXPECT_EQ(app::frameTopLeft(c.available, c.frame), c.expected);
}

// The window's frame is 796 wide and about 570 high at 96 dots per inch.
INSTANTIATE_TEST_SUITE_P(
    Screens, WindowPlacement,
    ::testing::Values(
        PlacementCase{"RoomyScreenCentres", {0, 0, 1280, 1024}, {796, 570}, {242, 227}},
        PlacementCase{"PanelAboveCentresBelowIt", {0, 32, 1280, 992}, {796, 570}, {242, 243}},
        PlacementCase{"TooSmallBothWays", {0, 0, 640, 480}, {796, 570}, {0, 0}},
        PlacementCase{"TooSmallUnderAPanel", {48, 27, 592, 453}, {796, 570}, {48, 27}},
        PlacementCase{"TooLowOnlyCentresAcross", {0, 0, 1024, 540}, {796, 570}, {114, 0}},
        PlacementCase{"SecondScreenOnTheRight", {1920, 0, 640, 480}, {796, 570}, {1920, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
