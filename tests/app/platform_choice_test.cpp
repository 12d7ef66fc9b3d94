#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <optional>
#include <string>
#include <vector>

#include "app/platform_choice.h"

namespace {

using app::DisplayTarget;
using app::kXwaylandFirst;

// QT_QPA_PLATFORM, desktop, session type, WAYLAND_DISPLAY, DISPLAY; empty: not set.
DisplayTarget environment(const char* platform, const char* desktop, const char* session,
                          const char* wayland, const char* x11)
{
    const auto set = [](const char* value) {
        return *value != '\0' ? std::optional<std::string>(value) : std::nullopt;
    };
    return {{"QT_QPA_PLATFORM", set(platform)}, {"DISPLAY", set(x11)}, {"WAYLAND_DISPLAY", set(wayland)},
            session, desktop};
}

struct ChoiceCase {
    const char* name;
    DisplayTarget target;
    std::optional<std::string_view> chosen;
};

void PrintTo(const ChoiceCase& c, std::ostream* os)
{
    *os << c.name;
}

class PlatformChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(PlatformChoice, TakesXwaylandFirstOnlyWhereQtWouldTakeWaylandOnGnomeAndNoOneChose)
{
    const ChoiceCase& c = GetParam();
    EXPECT_EQ(app::platformToChoose(c.target), c.chosen);
}

constexpr std::optional<std::string_view> kQtsOwn = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Sessions, PlatformChoice,
    ::testing::Values(
        ChoiceCase{"GnomeOnWayland", environment("", "GNOME", "wayland", "wayland-0", ":0"), kXwaylandFirst},
        ChoiceCase{"DerivedGnomeSession", environment("", "ubuntu:GNOME", "wayland", "wayland-0", ":0"), kXwaylandFirst},
        ChoiceCase{"GnomeNamedInLowerCase", environment("", "gnome", "wayland", "wayland-0", ":0"), kXwaylandFirst},
        ChoiceCase{"EmptyEntriesInTheList", environment("", ":GNOME:", "wayland", "wayland-0", ":0"), kXwaylandFirst},
        // Qt takes Wayland first wherever a Wayland display is offered,
        // whatever the session's type says.
        ChoiceCase{"NoSessionTypeWithAWaylandDisplay", environment("", "GNOME", "", "wayland-0", ":0"), kXwaylandFirst},
        ChoiceCase{"X11SessionWithAWaylandDisplay", environment("", "GNOME", "x11", "wayland-0", ":0"), kXwaylandFirst},
        // Nothing of Wayland: Qt takes X11.
        ChoiceCase{"GnomeOnX11", environment("", "GNOME", "x11", "", ":0"), kQtsOwn},
        ChoiceCase{"NoSessionTypeNorWaylandDisplay", environment("", "GNOME", "", "", ":0"), kQtsOwn},
        // Without Xwayland there is only Wayland.
        ChoiceCase{"GnomeOnWaylandWithoutXwayland", environment("", "GNOME", "wayland", "wayland-0", ""), kQtsOwn},
        // Desktops that frame Wayland windows themselves.
        ChoiceCase{"KdeOnWayland", environment("", "KDE", "wayland", "wayland-0", ":0"), kQtsOwn},
        ChoiceCase{"ANameThatOnlyContainsGnome", environment("", "GNOME-Flashback", "wayland", "wayland-0", ":0"), kQtsOwn},
        ChoiceCase{"NoDesktop", environment("", "", "wayland", "wayland-0", ":0"), kQtsOwn},
        // The person's choice wins.
        ChoiceCase{"WaylandChosenInTheEnvironment", environment("wayland", "GNOME", "wayland", "wayland-0", ":0"), kQtsOwn},
        ChoiceCase{"X11ChosenInTheEnvironment", environment("xcb", "GNOME", "wayland", "wayland-0", ":0"), kQtsOwn},
        ChoiceCase{"ChosenOnTheCommandLine",
                   [] {
                       DisplayTarget target = environment("", "GNOME", "wayland", "wayland-0", ":0");
                       target.platform = {"-platform", "wayland"};
                       return target;
                   }(),
                   kQtsOwn}),
    [](const auto& info) { return std::string(info.param.name); });

// The choice is left where Qt looks for a platform, and in the reading that
// names the display tried.
TEST(ChoosePlatform, SetsXwaylandFirstForQtAndInTheReading)
{
    const std::optional<QByteArray> saved =
        qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? std::optional(qgetenv("QT_QPA_PLATFORM")) : std::nullopt;
    DisplayTarget target = environment("", "ubuntu:GNOME", "wayland", "wayland-0", ":0");
    app::choosePlatform(target);
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb;wayland"));
    EXPECT_EQ(target.platforms(), (std::vector<std::string>{"xcb", "wayland"}));
    if (saved)
        qputenv("QT_QPA_PLATFORM", *saved);
    else
        qunsetenv("QT_QPA_PLATFORM");
}

} // namespace
