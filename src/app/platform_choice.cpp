#include "app/platform_choice.h"

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <ranges>

namespace app {

namespace {

// Derived sessions list their own name first ("ubuntu:GNOME").
bool onGnome(std::string_view currentDesktop)
{
    return std::ranges::any_of(std::views::split(currentDesktop, ':'), [](const auto entry) {
        const std::string_view name(entry.begin(), entry.end());
        return qstrnicmp(name.data(), qsizetype(name.size()), "GNOME") == 0;
    });
}

} // namespace

std::optional<std::string_view> platformToChoose(const DisplayTarget& target)
{
    if (target.platform.given() || !onGnome(target.currentDesktop) || !target.x11Display.given()
        || target.platforms().front() != "wayland")
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
