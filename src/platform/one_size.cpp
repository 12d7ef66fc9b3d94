#include "platform/one_size.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {

constexpr Qt::WindowStates kRefused = Qt::WindowFullScreen | Qt::WindowMaximized;

// Draws the window again each time the window system reports it in a state
// the window keeps. On Wayland a compositor applies a state it sent only with
// the first frame drawn after the program acknowledged it. The answer to "not
// full screen" or "not maximised" comes in after the refusal, with the
// window's size unchanged, so nothing else would draw it and the compositor
// would keep it as the refused state left it. A frame drawn on the refused
// state's own report would instead carry that state out.
class RedrawOnStateReport : public QObject {
    Q_OBJECT

public:
    explicit RedrawOnStateReport(QWidget& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* handle = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::WindowStateChange && event->spontaneous() && handle != nullptr
            && !(handle->windowStates() & kRefused))
            window_.update();
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& window_;
};

void redrawOnEveryStateReport(QWidget& window)
{
    QWindow* handle = window.windowHandle();
    if (handle == nullptr)
        return;
    auto* redraw = window.findChild<RedrawOnStateReport*>(QString(), Qt::FindDirectChildrenOnly);
    if (redraw == nullptr)
        redraw = new RedrawOnStateReport(window);
    // Installing it again on the same window moves it, never doubles it.
    handle->installEventFilter(redraw);
}

} // namespace

void keepOneSize(QWidget& window, const QEvent& event)
{
    if (event.type() != QEvent::WindowStateChange || !(window.windowState() & kRefused))
        return;
    window.setWindowState(window.windowState() & ~kRefused);
    redrawOnEveryStateReport(window);
}

} // namespace platform

#include "one_size.moc"

