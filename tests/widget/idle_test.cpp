// Ticks that change nothing draw nothing: the counters are written on every
// tick, but the window is only repainted when a caption really changes. And a
// click repaints the button it presses, not what lies beneath the button.

#include <QApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QTest>

#include "box_closer.h"
#include "window_driver.h"

using namespace widget_tests;

namespace {
// Counts the paint events of every widget of the window.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window)
    {
        window->installEventFilter(this);
        for (QWidget* child : window->findChildren<QWidget*>())
            child->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// Names the widgets other than `over` as they paint inside its rectangle:
// what lies beneath it, since nothing lies above it.
class PaintsBeneath : public QObject {
public:
    explicit PaintsBeneath(QWidget* over) : over_(over)
    {
        for (QWidget* widget : over->window()->findChildren<QWidget*>())
            widget->installEventFilter(this);
    }
    QStringList painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = static_cast<QWidget*>(watched);
        if (event->type() != QEvent::Paint || widget == over_)
            return false;
        const QRect area = static_cast<QPaintEvent*>(event)->region().boundingRect();
        const QRect overArea(widget->mapFromGlobal(over_->mapToGlobal(QPoint(0, 0))), over_->size());
        if (area.intersects(overArea))
            painted << widget->objectName();
        return false;
    }

private:
    QWidget* over_;
};
} // namespace

class IdleTest : public QObject {
    Q_OBJECT

private slots:
    void idleTicksRepaintNothing()
    {
        WindowDriver driver;
        QTest::qWait(300);  // the first paint and any settling
        PaintCounter paints(&driver.form());
        QTest::qWait(500);  // twenty-five ticks
        QCOMPARE(paints.count, 0);

        // A caption that does change is drawn: the counter is not frozen.
        static_cast<QLabel*>(driver.control("lblerrori"))->setText(QStringLiteral("5"));
        QTest::qWait(100);
        QVERIFY(paints.count > 0);
    }

    // The start button is pressed, released and loses the focus to the
    // prompt's box, each a repaint of the button; the flag tile and the large
    // greetings beneath it are covered all the while and are not painted.
    void aClickRepaintsTheButtonAlone()
    {
        WindowDriver driver;
        QTest::qWait(300);
        QWidget* button = driver.control("Command2");
        PaintsBeneath beneath(button);
        int buttonPaints = 0;
        PaintCounter counter(button);
        QStringList whileOpen;
        // The box is held open long enough for the window's repaint on losing
        // the focus; once it closes the button hides and the greetings show.
        BoxCloser closer(100);
        closer.onOpen([&](const SeenBox&) {
            QTimer::singleShot(60, [&] {
                whileOpen = beneath.painted;
                buttonPaints = counter.count;
            });
        });
        driver.click(button);
        QTRY_COMPARE(closer.seen().size(), std::size_t{1});
        QTest::qWait(150);
        QVERIFY(buttonPaints > 0);
        QCOMPARE(whileOpen, QStringList());
        // Once the button hides, the greetings beneath it are painted.
        QVERIFY(!button->isVisible());
        QVERIFY(beneath.painted.contains(QStringLiteral("Label74")));
    }
};

QTEST_MAIN(IdleTest)
#include "idle_test.moc"
