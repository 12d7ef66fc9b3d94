#include "app/platform_choice.h"

#include <QByteArray>
#include <QtGlobal>
#include <array>

namespace app {

namespace {
// Qt's options that take the next argument as their value, read in the same
// pass as "-platform": a value there is never an option of its own.
constexpr std::array<std::string_view, 5> kOptionsWithAValue = {
    "-platformpluginpath", "-platformtheme", "-qwindowgeometry", "-qwindowtitle", "-qwindowicon"};

bool onGnome(std::string_view currentDesktop)
{
    const auto isGnome = [](std::string_view name) {
        return qstrnicmp(name.data(), qsizetype(name.size()), "GNOME") == 0;
    };
    // Derived sessions list their own name first ("ubuntu:GNOME").
    while (!currentDesktop.empty()) {
        const std::size_t colon = currentDesktop.find(':');
        if (isGnome(currentDesktop.substr(0, colon)))
            return true;
        if (colon == std::string_view::npos)
            break;
        currentDesktop.remove_prefix(colon + 1);
    }
    return false;
}

// The session's type says Wayland; where it names no display server (unset,
// "tty", "unspecified"), the Wayland display the session offers does.
bool onWayland(const PlatformEnvironment& environment)
{
    if (environment.sessionType == "wayland")
        return true;
    return environment.sessionType != "x11" && !environment.waylandDisplay.empty();
}
} // namespace

bool platformArgumentGiven(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i] != nullptr ? argv[i] : "";
        if (argument.size() < 2 || argument[0] != '-')
            continue;
        if (argument[1] == '-')
            argument.remove_prefix(1);
        const bool hasValue = i + 1 < argc;
        if (argument == "-platform" && hasValue)
            return true;
        for (const std::string_view option : kOptionsWithAValue) {
            if (argument == option)
                ++i;
        }
    }
    return false;
}

std::optional<std::string_view> platformToChoose(const PlatformEnvironment& environment,
                                                 bool platformArgument)
{
    if (platformArgument || !environment.qpaPlatform.empty())
        return std::nullopt;
    if (onGnome(environment.currentDesktop) && onWayland(environment) &&
        !environment.x11Display.empty())
        return kXwaylandFirst;
    return std::nullopt;
}

void choosePlatform(int argc, const char* const* argv)
{
    const QByteArray qpaPlatform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray currentDesktop = qgetenv("XDG_CURRENT_DESKTOP");
    const QByteArray sessionType = qgetenv("XDG_SESSION_TYPE");
    const QByteArray waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    const QByteArray x11Display = qgetenv("DISPLAY");
    const auto view = [](const QByteArray& bytes) {
        return std::string_view(bytes.constData(), std::size_t(bytes.size()));
    };
    const std::optional<std::string_view> platform =
        platformToChoose({view(qpaPlatform), view(currentDesktop), view(sessionType),
                          view(waylandDisplay), view(x11Display)},
                         platformArgumentGiven(argc, argv));
    if (platform)
        qputenv("QT_QPA_PLATFORM", QByteArray(platform->data(), qsizetype(platform->size())));
}

} // namespace app
