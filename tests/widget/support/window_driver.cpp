#include "window_driver.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

namespace widget_tests {

class WindowDriver::PressSpy : public QObject {
public:
    explicit PressSpy(QPointer<QWidget>& receiver) : receiver_(receiver) {}

    void reset() { seen_ = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen_ && event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
            seen_ = true;
            receiver_ = static_cast<QWidget*>(watched);
        }
        return false;
    }

private:
    QPointer<QWidget>& receiver_;
    bool seen_ = false;
};

namespace {
QtMessageHandler passOn = nullptr;

// The offscreen screen cannot hand a fixed window size to a window manager and
// says so for every window; nothing else it says is passed over.
void quietAboutSizeHints(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QLatin1String("does not support propagateSizeHints")))
        passOn(type, context, message);
}
} // namespace

WindowDriver::WindowDriver(RuntimeKind kind)
    : spy_(std::make_unique<PressSpy>(lastPressReceiver_))
{
    if (passOn == nullptr)
        passOn = qInstallMessageHandler(quietAboutSizeHints);
    recording_.passBoxesAndEndTo(real_);
    if (kind == RuntimeKind::Real)
        form_ = std::make_unique<TestedForm1>(real_, delivery_);
    else
        form_ = std::make_unique<TestedForm1>(recording_, delivery_);
    real_.setDialogParent(form_.get());
    form_->show();
    form_->activateWindow();
    if (!QTest::qWaitForWindowActive(form_.get()))
        qFatal("the window was never shown");
    qApp->installEventFilter(spy_.get());
}

WindowDriver::~WindowDriver()
{
    qApp->removeEventFilter(spy_.get());
}

QWidget* WindowDriver::control(const char* name, int index) const
{
    const auto all = form_->findChildren<QWidget*>(QString::fromLatin1(name));
    for (QWidget* widget : all) {
        if (index < 0 || widget->property("index").toInt() == index)
            return widget;
    }
    qFatal("no control %s(%d)", name, index);
}

QWidget* WindowDriver::mapArea() const
{
    return control("mapArea");
}

void WindowDriver::click(QWidget* widget, QPoint local)
{
    spy_->reset();
    lastPressReceiver_ = nullptr;
    QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, widget->mapTo(form_.get(), local));
}

void WindowDriver::click(QWidget* widget)
{
    click(widget, widget->rect().center());
}

void WindowDriver::clickMapAt(int xTwips, int yTwips)
{
    click(mapArea(), mapPixel(xTwips, yTwips));
}

void WindowDriver::moveMouseTo(QWidget* widget, QPoint local)
{
    QTest::mouseMove(form_->windowHandle(), widget->mapTo(form_.get(), local));
}

void WindowDriver::pressKey(Qt::Key key)
{
    QTest::keyClick(form_->windowHandle(), key);
}

QImage WindowDriver::grab()
{
    return form_->grab().toImage();
}

int runUntilTheProgramEnds(const std::function<void()>& start, int limitMs)
{
    constexpr int kTimedOut = -1;
    QTimer::singleShot(0, qApp, start);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [] { QCoreApplication::exit(kTimedOut); });
    limit.start(limitMs);
    return QApplication::exec();
}

QPoint mapPixel(int xTwips, int yTwips)
{
    return QPoint(xTwips / window::kTwipsPerPixel, yTwips / window::kTwipsPerPixel);
}

bool samePointer(const QCursor& a, const QCursor& b)
{
    if (a.shape() != b.shape())
        return false;
    if (a.shape() != Qt::BitmapCursor)
        return true;
    return !a.pixmap().isNull() && a.hotSpot() == b.hotSpot() && a.pixmap().toImage() == b.pixmap().toImage();
}

} // namespace widget_tests
