// The exit button says goodbye and, once the box is closed, ends the program
// with a success status; the ending is that window's run alone.

#include <QTest>

#include "box_closer.h"
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
        QVERIFY(driver.delivery().programEnding());
        QCOMPARE(driver.delivery().exitStatus(), 0);
        QCOMPARE(closer.texts(), std::vector<QString>{QStringLiteral("To the next challenge!")});
    }

    // The ending belongs to the window's own run: a window made after it in the
    // same process takes the start button and asks for a country.
    void aWindowAfterAnEndingPlays()
    {
        {
            WindowDriver ended(RuntimeKind::Real);
            BoxCloser closer;
            QCOMPARE(runUntilTheProgramEnds([&] { ended.click(ended.control("Command3")); }), 0);
        }
        WindowDriver next;
        BoxCloser closer;
        next.runtime().setRandom(randomFor(2));
        next.click(next.control("Command2"));
        QCOMPARE(closer.texts(), std::vector<QString>{QStringLiteral("Click on Bulgaria")});
        QVERIFY(next.control("Command2")->isHidden());
        QVERIFY(!next.delivery().programEnding());
    }
};

QTEST_MAIN(ExitButtonTest)
#include "exit_button_test.moc"
