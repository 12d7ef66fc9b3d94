// Closing the window by the window system's own means ends the program: the
// window does not intercept it and asks nothing.

#include <QTest>

#include "box_closer.h"
#include "window_driver.h"

using namespace widget_tests;

class CloseWindowTest : public QObject {
    Q_OBJECT

private slots:
    void closingTheWindowEndsTheProgram()
    {
        WindowDriver driver(RuntimeKind::Real);
        BoxCloser closer;
        const int status = runUntilTheProgramEnds([&] { driver.form().windowHandle()->close(); });
        QCOMPARE(status, 0);
        QVERIFY(!driver.form().isVisible());
        QVERIFY(closer.seen().empty());
    }
};

QTEST_MAIN(CloseWindowTest)
#include "close_window_test.moc"
