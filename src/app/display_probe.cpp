#include "app/display_probe.h"

#include <thread>
#include <wayland-client-core.h>
#include <xcb/xcb.h>

namespace app {

namespace {

// The connection's setup is the display's first answer.
bool x11Answers(const std::string& display)
{
    xcb_connection_t* connection = xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr);
    const bool answered = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answered;
}

// A Wayland connection opens without a word from the compositor: its answer
// to the first round trip is the first.
bool waylandAnswers()
{
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr)
        return false;
    const bool answered = wl_display_roundtrip(display) >= 0;
    wl_display_disconnect(display);
    return answered;
}

} // namespace

bool probeDisplay(const std::string& platform, const DisplayTarget& target, std::function<void(bool)> done)
{
    if (platform == "xcb")
        std::thread([display = target.x11Display.value.value_or(""), done] { done(x11Answers(display)); }).detach();
    else if (platform.starts_with("wayland"))
        std::thread([done] { done(waylandAnswers()); }).detach();
    else
        return false;
    return true;
}

} // namespace app
