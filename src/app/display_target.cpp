#include "app/display_target.h"

#include <cstdlib>

#include "app/command_line.h"

namespace app {

namespace {

Setting fromArgumentOr(const std::string& option, const std::string& argument,
                       const char* variable, const Environment& environment)
{
    if (!argument.empty())
        return {"-" + option, argument};
    return {variable, environment(variable)};
}

} // namespace

std::vector<std::string> DisplayTarget::platforms() const
{
    std::string_view list = "xcb";
    if (platform.given())
        list = *platform.value;
    else if (sessionType == "wayland" || waylandDisplay.value)
        list = "wayland;xcb";
    std::vector<std::string> names;
    while (!list.empty()) {
        const std::string_view entry = list.substr(0, list.find(';'));
        names.emplace_back(entry.substr(0, entry.find(':')));
        list.remove_prefix(std::min(list.size(), entry.size() + 1));
    }
    return names;
}

DisplayTarget readDisplayTarget(const CommandLine& line, const Environment& environment)
{
    return {fromArgumentOr("platform", line.qtPlatform, "QT_QPA_PLATFORM", environment),
            fromArgumentOr("display", line.qtDisplay, "DISPLAY", environment),
            {"WAYLAND_DISPLAY", environment("WAYLAND_DISPLAY")},
            environment("XDG_SESSION_TYPE").value_or(""),
            environment("XDG_CURRENT_DESKTOP").value_or("")};
}

std::optional<std::string> processEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

} // namespace app
