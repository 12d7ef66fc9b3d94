#include "app/window_placement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>
#include <vector>
#include <xcb/xcb.h>

namespace app {

namespace {

using namespace std::chrono_literals;

// Long enough for a busy window manager, short enough that a manager that
// never answers delays the window only a little.
constexpr auto kAnswerWait = 500ms;
constexpr auto kPollInterval = 2ms;

struct FreeDeleter {
    void operator()(void* reply) const { std::free(reply); }
};
using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeDeleter> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a window's property, empty when it has none.
std::vector<std::uint32_t> property(xcb_connection_t* connection, xcb_window_t window,
                                    xcb_atom_t name, xcb_atom_t type)
{
    constexpr std::uint32_t kLongestRead = 1024;
    const PropertyReply reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, kLongestRead), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// A window manager runs (its check window names itself) and answers requests
// for frame extents.
bool managerAnswersFrameRequests(xcb_connection_t* connection, xcb_window_t root)
{
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const std::vector<std::uint32_t> onRoot = property(connection, root, check, XCB_ATOM_WINDOW);
    if (onRoot.size() != 1 || property(connection, onRoot[0], check, XCB_ATOM_WINDOW) != onRoot)
        return false;
    const std::vector<std::uint32_t> supported =
        property(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    return std::find(supported.begin(), supported.end(), request) != supported.end();
}

void sendFrameRequest(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

// The borders and title bar the window manager will draw around `window`, in
// the screen's own pixels, asked of it before the window is first shown (the
// window is created for the question, not shown). Nothing where no window
// manager that answers the question manages an X11 screen: then the window
// has no frame the program could know of in advance.
std::optional<QMargins> askFrameExtents(QWidget& window)
{
    // Only the X11 platform shows windows through an X connection of its own;
    // the offscreen platform offers the same interface with no connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr
        || x11->connection() == nullptr)
        return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const std::unique_ptr<xcb_query_tree_reply_t, FreeDeleter> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
    if (!tree || !managerAnswersFrameRequests(connection, tree->root))
        return std::nullopt;

    sendFrameRequest(connection, tree->root, id);
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    const auto deadline = std::chrono::steady_clock::now() + kAnswerWait;
    do {
        // left, right, top, bottom
        const std::vector<std::uint32_t> sides = property(connection, id, extents, XCB_ATOM_CARDINAL);
        if (sides.size() == 4)
            return QMargins(int(sides[0]), int(sides[2]), int(sides[1]), int(sides[3]));
        std::this_thread::sleep_for(kPollInterval);
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

// The screen's pixels as the window's, rounded up: the frame is never
// thought smaller than it is.
QMargins toWindowPixels(const QMargins& pixels, qreal ratio)
{
    const auto side = [ratio](int length) { return int(std::ceil(length / ratio)); };
    return {side(pixels.left()), side(pixels.top()), side(pixels.right()), side(pixels.bottom())};
}

} // namespace

void placeOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    window.adjustSize();
    const QRect available = screen->availableGeometry();
    if (const std::optional<QMargins> extents = askFrameExtents(window)) {
        const QMargins frame = toWindowPixels(*extents, window.devicePixelRatioF());
        const QPoint frameAt = frameTopLeft(available, window.size().grownBy(frame));
        window.move(frameAt + QPoint(frame.left(), frame.top()));
        return;
    }
    window.move(frameTopLeft(available, window.frameGeometry().size()));
}

} // namespace app
