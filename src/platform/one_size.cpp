#include "platform/one_size.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QTimer>
#include <QWindow>
#include <chrono>

namespace platform {

namespace {

constexpr Qt::WindowStates kRefused = Qt::WindowFullScreen | Qt::WindowMaximized;
// How long a compositor may take to place a window once it has its first
// frame: it answers in a few milliseconds, in hundreds on a busy machine.
constexpr std::chrono::milliseconds kPlacementWait{1000};

class OneSize : public QObject {
    Q_OBJECT

public:
    explicit OneSize(QWidget& window) : QObject(&window), window_(window)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_)
            onWindowEvent(*event);
        else if (watched == window_.windowHandle())
            onWindowSystemEvent(*event);
        return QObject::eventFilter(watched, event);
    }

private:
    void onWindowEvent(const QEvent& event)
    {
        if (event.type() == QEvent::WindowStateChange && (window_.windowState() & kRefused))
            window_.setWindowState(window_.windowState() & ~kRefused);
        // The window system's window exists by now, not yet shown.
        if (event.type() == QEvent::Show && !event.spontaneous() && window_.windowHandle() != nullptr)
            window_.windowHandle()->installEventFilter(this);
    }

    // After the widget's own show handling, which may set its one size, and
    // before the window system is asked to show the window.
    void beforeShowing(QWindow& handle)
    {
        if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            return;
        limitsHeld_ = true;
        handle.setMinimumSize(QSize(0, 0));
        handle.setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    }

    void onWindowSystemEvent(const QEvent& event)
    {
        QWindow* handle = window_.windowHandle();
        if (event.type() == QEvent::Show && !event.spontaneous())
            beforeShowing(*handle);
        // A state report that carries a refused state is answered by the
        // refusal; a frame drawn now would carry the refused state out.
        if (event.type() == QEvent::WindowStateChange && event.spontaneous()
            && !(handle->windowStates() & kRefused))
            window_.update();
        // The compositor answers the first frame once it has placed the window.
        if (event.type() == QEvent::WindowStateChange && event.spontaneous() && firstFrameDrawn_)
            giveLimits();
        // The first frame is drawn on this exposure.
        if (event.type() == QEvent::Expose && limitsHeld_ && !firstFrameDrawn_ && handle->isExposed())
            QMetaObject::invokeMethod(this, &OneSize::afterFirstFrame, Qt::QueuedConnection);
    }

    void afterFirstFrame()
    {
        firstFrameDrawn_ = true;
        // A compositor that sends nothing more gets them all the same.
        QTimer::singleShot(kPlacementWait, this, &OneSize::giveLimits);
    }

    void giveLimits()
    {
        QWindow* handle = window_.windowHandle();
        if (handle == nullptr || !limitsHeld_)
            return;
        limitsHeld_ = false;
        firstFrameDrawn_ = false;
        handle->setMinimumSize(window_.minimumSize());
        handle->setMaximumSize(window_.maximumSize());
        // The compositor takes the limits with the next frame.
        window_.update();
    }

    QWidget& window_;
    bool limitsHeld_ = false;
    bool firstFrameDrawn_ = false;
};

} // namespace

void keepOneSize(QWidget& window)
{
    new OneSize(window);
}

} // namespace platform

#include "one_size.moc"
