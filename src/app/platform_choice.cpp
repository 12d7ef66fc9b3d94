#include "app/platform_choice.h"

#include <QByteArray>
#include <QtGlobal>

namespace app {

namespace {

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

} // namespace

std::optional<std::string_view> platformToChoose(const DisplayTarget& target)
{
    if (target.platform.given() || !onGnome(target.currentDesktop) || !target.x11Display.given())
        return std::nullopt;
    if (target.platforms().front() != "wayland")
        return std::nullopt;
    return kXwaylandFirst;
}

void choosePlatform(DisplayTarget& target)
{
    const std::optional<std::string_view> platform = platformToChoose(target);
    if (!platform)
        return;
    qputenv("QT_QPA_PLATFORM", QByteArray(platform->data(), qsizetype(platform->size())));
    target.platform = {"QT_QPA_PLATFORM", std::string(*platform)};
}

} // namespace app
