// Ticks that change nothing draw nothing: the counters are written on every
// tick, but the window is only repainted when a caption really changes.

#include <QApplication>
#include <QLabel>
#include <QTest>

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
};

QTEST_MAIN(IdleTest)
#include "idle_test.moc"
