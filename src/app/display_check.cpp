#include "app/display_check.h"

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <array>
#include <algorithm>
#include <cmath>
#include <string>

#include "app/start_cause.h"
#include "app/start_failure.h"

namespace app {

namespace {

// Display systems that start, have a screen, and still never show a window
// drawn in the ordinary way.
struct BlindPlatform {
    const char* name;
    const char* why;
};
constexpr std::array kBlindPlatforms{
    BlindPlatform{"vkkhrdisplay", "it shows only Vulkan surfaces"},
};

// Below this, a side in pixels is named to the pixel.
constexpr double kLongestNamedSide = 1e15;

std::string pixels(double side)
{
    return std::to_string(std::llround(side));
}

[[noreturn]] void refuseScale(qreal scale, const std::string& why)
{
    endStart("at scale " + QString::number(scale).toStdString() + " " + why + " ("
             + described("QT_SCALE_FACTOR") + ")");
}

} // namespace

void requireDisplayShows(QSize logicalSize)
{
    const QString platform = QGuiApplication::platformName();
    for (const BlindPlatform& blind : kBlindPlatforms) {
        if (platform == QLatin1String(blind.name))
            endStart("the display system \"" + platform.toStdString() + "\" cannot show it: " + blind.why);
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        endStart("the display system \"" + platform.toStdString() + "\" reports no screen");
    // The scale first: at a scale that is no number or no size, the screen's
    // geometry in logical pixels is no figure to read.
    const qreal scale = screen->devicePixelRatio();
    if (!(scale > 0))
        refuseScale(scale, "the window cannot be drawn");
    if (std::isinf(scale))
        refuseScale(scale, "the window is too large to draw");
    if (windowCanBeShown(screen->geometry().size(), scale, logicalSize))
        return;
    const double width = logicalSize.width() * scale;
    const double height = logicalSize.height() * scale;
    if (std::max(width, height) >= kLongestNamedSide)
        refuseScale(scale, "the window is too large to draw");
    refuseScale(scale, "the window would be " + pixels(width) + " by " + pixels(height)
                           + " pixels, more than the display can show");
}

} // namespace app
