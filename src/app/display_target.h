#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

struct CommandLine;

// One of Qt's settings as the person gave it: an argument ("-display") or an
// environment variable ("DISPLAY"), with no value where it is not set.
struct Setting {
    std::string name;
    std::optional<std::string> value{};

    // Set to something: an empty value names nothing.
    bool given() const { return value && !value->empty(); }
};

// What Qt will try when the application is made, read once from Qt's own
// arguments and the environment: the platform plugins in the order Qt tries
// them, and the displays they connect to.
struct DisplayTarget {
    Setting platform;       // -platform, or QT_QPA_PLATFORM
    Setting x11Display;     // -display, or DISPLAY
    Setting waylandDisplay; // WAYLAND_DISPLAY
    std::string sessionType;    // XDG_SESSION_TYPE
    std::string currentDesktop; // XDG_CURRENT_DESKTOP: a colon-separated list

    // The plugins' names, in order, without their options ("linuxfb:fb=..."
    // is "linuxfb"). Where no one named a platform, Qt's own choice: its
    // Wayland plugin first where WAYLAND_DISPLAY is set, even empty, or the
    // session's type is Wayland; X11 otherwise and after it.
    std::vector<std::string> platforms() const;
};

// An environment variable's value, none when unset.
using Environment = std::function<std::optional<std::string>(const char* name)>;

DisplayTarget readDisplayTarget(const CommandLine& line, const Environment& environment);

// This process's environment.
std::optional<std::string> processEnvironment(const char* name);

} // namespace app
