#pragma once

#include <optional>
#include <string_view>

#include "app/display_target.h"

namespace app {

// X11 first, through the session's Xwayland, and the session's own Wayland
// when that display cannot be reached.
inline constexpr std::string_view kXwaylandFirst = "xcb;wayland";

// The platform list Qt is to take, or nothing where Qt's own choice stands.
// On GNOME's Wayland session Qt would take its Wayland plugin, with which the
// window gets no title bar of GNOME's, cannot be placed, and its boxes are not
// attached to it; through Xwayland the shell frames, centres and attaches them
// as it does for any X11 program. Other Wayland desktops frame Qt's Wayland
// windows themselves, so they keep Qt's choice, and a platform the person
// names, in the environment or on the command line, always wins.
std::optional<std::string_view> platformToChoose(const DisplayTarget& target);

// Where the rule above names a platform, sets it for the QApplication still
// to be made, and in `target`.
void choosePlatform(DisplayTarget& target);

} // namespace app
