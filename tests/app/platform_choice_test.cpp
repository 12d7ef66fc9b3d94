#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <optional>
#include <string>
#include <vector>

#include "app/platform_choice.h"

namespace {

using app::kXwaylandFirst;
using app::PlatformEnvironment;

struct ChoiceCase {
    const char* name;
    PlatformEnvironment environment; // QT_QPA_PLATFORM, desktop, session type, WAYLAND_DISPLAY, DISPLAY
    bool platformArgument;
    std::optional<std::string_view> chosen;
};

void PrintTo(const ChoiceCase& c, std::ostream* os)
{
    *os << c.name;
}

class PlatformChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(PlatformChoice, TakesXwaylandFirstOnlyOnGnomeOnWaylandAndOnlyWhenNoOneChose)
{
    const ChoiceCase& c = GetParam();
    EXPECT_EQ(app::platformToChoose(c.environment, c.platformArgument), c.chosen);
}

constexpr std::optional<std::string_view> kQtsOwn = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Sessions, PlatformChoice,
    ::testing::Values(
        ChoiceCase{"GnomeOnWayland", {"", "GNOME", "wayland", "wayland-0", ":0"}, false, kXwaylandFirst},
        ChoiceCase{"DerivedGnomeSession", {"", "ubuntu:GNOME", "wayland", "wayland-0", ":0"}, false, kXwaylandFirst},
        ChoiceCase{"GnomeNamedInLowerCase", {"", "gnome", "wayland", "wayland-0", ":0"}, false, kXwaylandFirst},
        ChoiceCase{"EmptyEntriesInTheList", {"", ":GNOME:", "wayland", "wayland-0", ":0"}, false, kXwaylandFirst},
        // A session type that names no display server: the Wayland display decides.
        ChoiceCase{"NoSessionTypeWithAWaylandDisplay", {"", "GNOME", "", "wayland-0", ":0"}, false, kXwaylandFirst},
        ChoiceCase{"TtySessionWithAWaylandDisplay", {"", "GNOME", "tty", "wayland-0", ":0"}, false, kXwaylandFirst},
        ChoiceCase{"NoSessionTypeNorWaylandDisplay", {"", "GNOME", "", "", ":0"}, false, kQtsOwn},
        // GNOME on X11 already runs the program on X11.
        ChoiceCase{"GnomeOnX11", {"", "GNOME", "x11", "", ":0"}, false, kQtsOwn},
        ChoiceCase{"GnomeOnX11WithAWaylandDisplay", {"", "GNOME", "x11", "wayland-0", ":0"}, false, kQtsOwn},
        // Without Xwayland there is only Wayland.
        ChoiceCase{"GnomeOnWaylandWithoutXwayland", {"", "GNOME", "wayland", "wayland-0", ""}, false, kQtsOwn},
        // Desktops that frame Wayland windows themselves.
        ChoiceCase{"KdeOnWayland", {"", "KDE", "wayland", "wayland-0", ":0"}, false, kQtsOwn},
        ChoiceCase{"SwayOnWayland", {"", "sway", "wayland", "wayland-0", ":1"}, false, kQtsOwn},
        ChoiceCase{"ANameThatOnlyContainsGnome", {"", "GNOME-Flashback", "wayland", "wayland-0", ":0"}, false, kQtsOwn},
        ChoiceCase{"NoDesktop", {"", "", "wayland", "wayland-0", ":0"}, false, kQtsOwn},
        // The person's choice wins.
        ChoiceCase{"WaylandChosenInTheEnvironment", {"wayland", "GNOME", "wayland", "wayland-0", ":0"}, false, kQtsOwn},
        ChoiceCase{"X11ChosenInTheEnvironment", {"xcb", "GNOME", "wayland", "wayland-0", ":0"}, false, kQtsOwn},
        ChoiceCase{"ChosenOnTheCommandLine", {"", "GNOME", "wayland", "wayland-0", ":0"}, true, kQtsOwn}),
    [](const auto& info) { return std::string(info.param.name); });

struct ArgumentCase {
    const char* name;
    std::vector<const char*> arguments; // after the program's name
    bool given;
};

void PrintTo(const ArgumentCase& c, std::ostream* os)
{
    *os << c.name;
}

class PlatformArgument : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(PlatformArgument, IsReadAsQtReadsIt)
{
    const ArgumentCase& c = GetParam();
    std::vector<const char*> argv{"europa-quiz"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    EXPECT_EQ(app::platformArgumentGiven(int(argv.size()), argv.data()), c.given);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, PlatformArgument,
    ::testing::Values(ArgumentCase{"None", {}, false},
                      ArgumentCase{"SingleDash", {"-platform", "wayland"}, true},
                      ArgumentCase{"DoubleDash", {"--platform", "xcb"}, true},
                      ArgumentCase{"AfterOtherOptions", {"-style", "fusion", "-platform", "xcb"}, true},
                      // Qt reads no platform from these.
                      ArgumentCase{"WithoutAName", {"-platform"}, false},
                      ArgumentCase{"JoinedToItsName", {"-platform=wayland"}, false},
                      ArgumentCase{"AsAnotherOptionsValue", {"-qwindowtitle", "-platform", "x"}, false},
                      ArgumentCase{"AsAPlainArgument", {"platform", "wayland"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The rule reads this process's own environment and leaves its answer where
// Qt looks for a platform.
class ChoosePlatform : public ::testing::Test {
protected:
    static constexpr const char* kVariables[] = {"QT_QPA_PLATFORM", "XDG_CURRENT_DESKTOP",
                                                 "XDG_SESSION_TYPE", "WAYLAND_DISPLAY", "DISPLAY"};

    void SetUp() override
    {
        for (const char* name : kVariables) {
            saved_.push_back(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
            qunsetenv(name);
        }
    }

    void TearDown() override
    {
        for (std::size_t i = 0; i < saved_.size(); ++i) {
            if (saved_[i])
                qputenv(kVariables[i], *saved_[i]);
            else
                qunsetenv(kVariables[i]);
        }
    }

    static void startGnomeOnWayland()
    {
        qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
        qputenv("XDG_SESSION_TYPE", "wayland");
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        qputenv("DISPLAY", ":0");
    }

    static void choose(std::vector<const char*> arguments = {})
    {
        arguments.insert(arguments.begin(), "europa-quiz");
        app::choosePlatform(int(arguments.size()), arguments.data());
    }

private:
    std::vector<std::optional<QByteArray>> saved_;
};

TEST_F(ChoosePlatform, SetsXwaylandFirstOnGnomeOnWayland)
{
    startGnomeOnWayland();
    choose();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb;wayland"));
}

TEST_F(ChoosePlatform, LeavesThePersonsChoice)
{
    startGnomeOnWayland();
    qputenv("QT_QPA_PLATFORM", "wayland");
    choose();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArray("wayland"));

    qunsetenv("QT_QPA_PLATFORM");
    choose({"-platform", "wayland"});
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"));
}

TEST_F(ChoosePlatform, SetsNothingElsewhere)
{
    qputenv("XDG_CURRENT_DESKTOP", "KDE");
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    qputenv("DISPLAY", ":0");
    choose();
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"));
}

} // namespace
