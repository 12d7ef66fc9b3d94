// The exit button says goodbye and, once the box is closed, ends the program
// with a success status.

#include <QTest>

#include "box_closer.h"
#include "platform/event_delivery.h"
#include "window_driver.h"

using namespace widget_tests;

class ExitButtonTest : public QObject {
    Q_OBJECT

private slots:
    void theExitButtonEndsTheProgram()
    {
        WindowDriver driver(RuntimeKind::Real);
        BoxCloser closer;
        const int status = runUntilTheProgramEnds([&] { driver.click(driver.control("Command3")); });
        QCOMPARE(status, 0);
        QVERIFY(platform::programEnding());
        QCOMPARE(platform::exitStatus(), 0);
        QCOMPARE(closer.texts(), std::vector<QString>{QStringLiteral("To the next challenge!")});
    }
};

QTEST_MAIN(ExitButtonTest)
#include "exit_button_test.moc"
