#pragma once

#include <QColor>
#include <array>
#include <string_view>

#include "window/twips.h"
#include "window/window_texts.h"

// Where everything of the window lies, in twips, and how its captions look.
namespace window::layout {

inline constexpr TwipRect kClientArea{0, 0, 11940, 8160};

inline constexpr TwipRect kCommand2{9360, 0, 2655, 2775};
inline constexpr TwipRect kCommand3{9360, 5160, 2655, 630};
inline constexpr TwipRect kText1{4800, 10800, 420, 150};
inline constexpr TwipRect kCommand1{10800, 2160, 1095, 735};
inline constexpr TwipRect kPicture2{0, 0, 9345, 8145};
inline constexpr TwipRect kPicture1{11160, 3000, 255, 255};

// The map picture, in pixels: Picture2's inner area, inside its two-pixel
// frame. The map's pixels are the country labels' grid.
inline constexpr int kMapWidth = 619;
inline constexpr int kMapHeight = 539;

inline constexpr QRgb kCyan = qRgb(0, 255, 255);
inline constexpr QRgb kWhite = qRgb(255, 255, 255);
inline constexpr QRgb kPaleCyan = qRgb(128, 255, 255);
inline constexpr QRgb kBlack = qRgb(0, 0, 0);
inline constexpr QRgb kGreen = qRgb(0, 255, 0);
inline constexpr QRgb kYellow = qRgb(255, 255, 0);
inline constexpr QRgb kPurple = qRgb(192, 0, 192);
inline constexpr QRgb kBlue = qRgb(0, 0, 255);
inline constexpr QRgb kRed = qRgb(255, 0, 0);

// Font sizes in points; each is a whole number of pixels on the layout's screen.
inline constexpr double kCommand2Points = 18;
inline constexpr double kCommand3Points = 27.75;
inline constexpr double kCommand1Points = 12;
inline constexpr double kText1Points = 6;
inline constexpr double kHeadingPoints = 27.75;
inline constexpr double kCounterPoints = 36;
inline constexpr double kPromptPoints = 24;

struct LabelPlacement {
    std::string_view name;
    TwipRect rect;
    std::string_view caption;
    Qt::AlignmentFlag alignment;
    QRgb colour;
    double points;
};

// The labels lying on the window itself, the first on top. All lie beneath the
// push buttons and the map.
inline constexpr std::array<LabelPlacement, 8> kWindowLabels{{
    {"Label86", {9600, 1320, 2415, 1215}, "Happy Birthday", Qt::AlignHCenter, kGreen, kHeadingPoints},
    {"Label85", {9840, 600, 2535, 735}, "Europa", Qt::AlignLeft, kGreen, kHeadingPoints},
    {"Label84", {0, 0, 2415, 735}, texts::kGreeting, Qt::AlignHCenter, kGreen, kHeadingPoints},
    {"Label74", {9480, 0, 2415, 735}, texts::kGreeting, Qt::AlignHCenter, kGreen, kHeadingPoints},
    {"lblpunti", {9960, 3840, 1575, 1215}, "0", Qt::AlignHCenter, kYellow, kCounterPoints},
    {"Label45", {9840, 2880, 2295, 855}, "EXACT", Qt::AlignLeft, kGreen, kHeadingPoints},
    {"Label44", {9600, 5760, 2415, 735}, "WRONG", Qt::AlignLeft, kPurple, kHeadingPoints},
    {"lblerrori", {10560, 6720, 855, 735}, "0", Qt::AlignLeft, kPurple, kCounterPoints},
}};

// The prompt line across the top of the map: "Click on" above the country's name.
inline constexpr LabelPlacement kLabel42{"Label42", {0, 0, 2055, 495}, "Click on", Qt::AlignLeft, kBlue, kPromptPoints};
inline constexpr LabelPlacement kLblreg{"lblreg", {1920, 0, 1455, 420}, "", Qt::AlignLeft, kRed, kPromptPoints};

struct ImagePlacement {
    int index;
    TwipRect rect;
};

// The three flag tiles of the group Image1, the first on top. The first hides
// the top fifteen pixel rows of the last; between the last and the middle one a
// strip of one pixel shows the window's own colour.
inline constexpr std::array<ImagePlacement, 3> kImage1{{
    {0, {0, -120, 12960, 2865}},
    {2, {0, 5400, 12960, 2865}},
    {1, {0, 2520, 12960, 2865}},
}};

constexpr bool wholePixels(double points)
{
    const double pixels = pointsToPixels(points);
    return pixels == static_cast<double>(static_cast<int>(pixels));
}

static_assert(wholePixels(kCommand2Points) && wholePixels(kCommand3Points)
              && wholePixels(kCommand1Points) && wholePixels(kText1Points)
              && wholePixels(kHeadingPoints) && wholePixels(kCounterPoints)
              && wholePixels(kPromptPoints));

} // namespace window::layout
