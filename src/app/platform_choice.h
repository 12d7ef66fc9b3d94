#pragma once

#include <optional>
#include <string_view>

namespace app {

// What the choice of Qt's platform depends on in the environment. An unset
// variable reads as empty, as Qt reads QT_QPA_PLATFORM.
struct PlatformEnvironment {
    std::string_view qpaPlatform;    // QT_QPA_PLATFORM: the person's own choice
    std::string_view currentDesktop; // XDG_CURRENT_DESKTOP: a colon-separated list
    std::string_view sessionType;    // XDG_SESSION_TYPE
    std::string_view waylandDisplay; // WAYLAND_DISPLAY
    std::string_view x11Display;     // DISPLAY: where Xwayland is offered
};

// X11 first, through the session's Xwayland, and the session's own Wayland
// when that display cannot be reached.
inline constexpr std::string_view kXwaylandFirst = "xcb;wayland";

// Whether the arguments name a platform the way Qt reads one ("-platform NAME"
// or "--platform NAME").
bool platformArgumentGiven(int argc, const char* const* argv);

// The platform list Qt is to take, or nothing where Qt's own choice stands.
// On GNOME's Wayland session Qt would take its Wayland plugin, with which the
// window gets no title bar of GNOME's, cannot be placed, and its boxes are not
// attached to it; through Xwayland the shell frames, centres and attaches them
// as it does for any X11 program. Other Wayland desktops frame Qt's Wayland
// windows themselves, so they keep Qt's choice, and a platform the person
// names, in the environment or on the command line, always wins.
std::optional<std::string_view> platformToChoose(const PlatformEnvironment& environment,
                                                 bool platformArgument);

// Reads this process's environment and arguments and, where the rule above
// names a platform, sets it for the QApplication still to be made.
void choosePlatform(int argc, const char* const* argv);

} // namespace app
