#include "app/display_probe.h"

#include <thread>
#include <wayland-client-core.h>
#include <xcb/xcb.h>

namespace app {

namespace {

// The connection's setup is the display's first answer.
ProbeResult probeX11(const std::string& display)
{
    xcb_connection_t* connection = xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr);
    const bool refused = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    return refused ? ProbeResult::Unreachable : ProbeResult::Answered;
}

// A Wayland connection opens without a word from the compositor; its answer
// to the first round trip is the first.
ProbeResult probeWayland()
{
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr)
        return ProbeResult::Unreachable;
    const bool answered = wl_display_roundtrip(display) >= 0;
    wl_display_disconnect(display);
    return answered ? ProbeResult::Answered : ProbeResult::Unreachable;
}

} // namespace

bool probeDisplay(const std::string& platform, const DisplayTarget& target,
                  std::function<void(ProbeResult)> done)
{
    if (platform == "xcb") {
        std::thread([display = target.x11Display.value, done = std::move(done)] { done(probeX11(display)); })
            .detach();
        return true;
    }
    if (platform.starts_with("wayland")) {
        std::thread([done = std::move(done)] { done(probeWayland()); }).detach();
        return true;
    }
    return false;
}

} // namespace app
