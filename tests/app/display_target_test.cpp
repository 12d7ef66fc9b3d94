#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/display_target.h"
#include "app/start_cause.h"

namespace {

using Strings = std::vector<std::string>;

// What Qt will try, read from the arguments after the program's name and an
// environment of the test's own.
app::DisplayTarget read(std::vector<const char*> arguments, std::map<std::string, std::string> environment)
{
    return app::readDisplayTarget(app::readCommandLine(arguments), [&environment](const char* name) {
        const auto found = environment.find(name);
        return found != environment.end() ? std::optional(found->second) : std::nullopt;
    });
}

struct TargetCase {
    const char* name;
    std::vector<const char*> arguments;
    std::map<std::string, std::string> environment;
    Strings platforms;
    std::string display; // the X11 display, as the line names it
};

void PrintTo(const TargetCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReadDisplayTarget : public ::testing::TestWithParam<TargetCase> {};

TEST_P(ReadDisplayTarget, ReadsWhatQtWillTry)
{
    const TargetCase& c = GetParam();
    const app::DisplayTarget target = read(c.arguments, c.environment);
    EXPECT_EQ(target.platforms(), c.platforms);
    EXPECT_EQ(app::displayOf("xcb", target), c.display);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, ReadDisplayTarget,
    ::testing::Values(
        TargetCase{"NothingSet", {}, {}, {"xcb"}, "the display \"\""},
        TargetCase{"X11Session", {}, {{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, {"xcb"}, "the display \":0\""},
        TargetCase{"WaylandSession", {}, {{"XDG_SESSION_TYPE", "wayland"}}, {"wayland", "xcb"}, "the display \"\""},
        // A Wayland display set, even empty, makes Qt try Wayland first,
        // whatever the session's type.
        TargetCase{"WaylandDisplayWithoutSessionType", {}, {{"WAYLAND_DISPLAY", "wayland-0"}}, {"wayland", "xcb"},
                   "the display \"\""},
        TargetCase{"EmptyWaylandDisplayInAnX11Session", {}, {{"XDG_SESSION_TYPE", "x11"}, {"WAYLAND_DISPLAY", ""}},
                   {"wayland", "xcb"}, "the display \"\""},
        TargetCase{"PlatformInTheEnvironment", {}, {{"QT_QPA_PLATFORM", "wayland-egl;xcb"}}, {"wayland-egl", "xcb"},
                   "the display \"\""},
        TargetCase{"PlatformWithItsOptions", {"-platform", "linuxfb:fb=/dev/fb1"}, {}, {"linuxfb"}, "the display \"\""},
        TargetCase{"ArgumentsBeatTheEnvironment", {"-platform", "xcb", "-display", ":80"},
                   {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":71"}}, {"xcb"}, "the display \":80\""},
        TargetCase{"DisplayArgumentWithoutDisplaySet", {"--display", ":80"}, {}, {"xcb"}, "the display \":80\""},
        TargetCase{"LastArgumentWins", {"-display", ":80", "-display", ":81"}, {}, {"xcb"}, "the display \":81\""},
        // A value of another of Qt's options is no display.
        TargetCase{"ValueOfAnotherOption", {"-qwindowtitle", "-display"}, {{"DISPLAY", ":71"}}, {"xcb"},
                   "the display \":71\""}),
    [](const auto& info) { return std::string(info.param.name); });

// The line that ends a failed start names the setting that was tried.
TEST(StartCause, NamesTheDisplaySettingThatWasTried)
{
    const std::vector<app::QtSaid> said{
        {QStringLiteral("qt.qpa.xcb"), QStringLiteral("could not connect to display :80")},
        {QStringLiteral("default"), QStringLiteral("Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.")}};
    const QString fatal = QStringLiteral("This application failed to start because no Qt platform plugin could be initialized.");
    EXPECT_EQ(app::causeOf(said, fatal, read({"-display", ":80"}, {{"DISPLAY", ":71"}})),
              "no usable display (-display \":80\", WAYLAND_DISPLAY not set)");
    EXPECT_EQ(app::causeOf(said, fatal, read({}, {{"DISPLAY", ":71"}, {"WAYLAND_DISPLAY", "w-1"}})),
              "no usable display (DISPLAY=\":71\", WAYLAND_DISPLAY=\"w-1\")");
    const std::vector<app::QtSaid> unknown{
        {QStringLiteral("default"), QStringLiteral("Could not find the Qt platform plugin \"bogus\" in \"\"")}};
    const QString offered = fatal + QStringLiteral(" Available platform plugins are: xcb, offscreen.");
    EXPECT_EQ(app::causeOf(unknown, offered, read({"-platform", "bogus"}, {{"QT_QPA_PLATFORM", "xcb"}})),
              "there is no display system called \"bogus\" (-platform \"bogus\"; this machine has xcb, offscreen)");
}

} // namespace
