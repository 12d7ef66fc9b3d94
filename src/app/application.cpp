#include "app/application.h"

#include <QApplication>
#include <QScreen>
#include <cmath>
#include <optional>

#include "app/display_guard.h"
#include "app/frame_extents.h"
#include "app/preload.h"
#include "app/window_placement.h"
#include "platform/event_delivery.h"
#include "platform/qt_runtime.h"
#include "window/form1.h"
#include "window/form1_layout.h"
#include "window/pictures.h"

namespace app {

namespace {
// The screen's pixels as the window's, rounded up: the frame is never
// thought smaller than it is.
QMargins toWindowPixels(const QMargins& pixels, qreal ratio)
{
    const auto side = [ratio](int length) { return int(std::ceil(length / ratio)); };
    return {side(pixels.left()), side(pixels.top()), side(pixels.right()), side(pixels.bottom())};
}

// Where the window system lets the program place its window (not on Wayland).
// Under a window manager the frame's title bar and borders are known before
// the window shows, so it opens where it stays; with none the window is its
// frame.
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
} // namespace

int runApplication(int argc, char** argv)
{
    StartUpPreload preload;
    std::optional<QApplication> app;
    {
        // Without a usable display Qt gives up with a page of diagnostics and
        // a core dump; the player gets one line and a failure status instead.
        DisplayGuard guard;
        app.emplace(argc, argv);
        guard.requireRoomFor(window::toPixels(window::layout::kClientArea).size());
    }
    QApplication::setApplicationName(QStringLiteral("europa-quiz"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(EUROPA_APP_ID));
    QApplication::setWindowIcon(window::programIcon());

    platform::QtRuntime runtime;
    preload.waitForFonts();
    window::Form1 form(runtime);
    runtime.setDialogParent(&form);
    if (platform::programEnding())
        return platform::exitStatus();
    placeOnScreen(form);
    form.show();
    const int status = QApplication::exec();
    return platform::programEnding() ? platform::exitStatus() : status;
}

} // namespace app
