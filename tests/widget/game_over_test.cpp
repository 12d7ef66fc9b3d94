// The twentieth error ends the game: with the real 20-millisecond timer and a
// real modal box, the end message appears exactly once, and closing it ends
// the program with a success status.

#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include "box_closer.h"
#include "window_driver.h"

using namespace widget_tests;

namespace {
// Romania's label; before any challenge every click on it is a miss.
void miss(WindowDriver& driver)
{
    driver.clickMapAt(5700, 5640);
}

QString errorsShown(WindowDriver& driver)
{
    return static_cast<QLabel*>(driver.control("lblerrori"))->text();
}
} // namespace

class GameOverTest : public QObject {
    Q_OBJECT

private slots:
    void theTwentiethErrorEndsTheGameOnce()
    {
        WindowDriver driver(RuntimeKind::Real);
        {
            BoxCloser quickly;
            for (int i = 0; i < 19; ++i)
                miss(driver);
            QTest::qWait(200);  // ten ticks
            QCOMPARE(quickly.seen().size(), std::size_t(19));
            QCOMPARE(errorsShown(driver), QStringLiteral("19"));
            QVERIFY(!driver.delivery().programEnding());
        }

        // Each box stays open for fifteen ticks: were ticks delivered meanwhile,
        // the end message would open again inside itself.
        BoxCloser slowly(300);
        QString errorsWhileEnding;
        slowly.onOpen([&](const SeenBox&) { errorsWhileEnding = errorsShown(driver); });
        const int status = runUntilTheProgramEnds([&] { miss(driver); });

        QCOMPARE(status, 0);
        QCOMPARE(driver.delivery().exitStatus(), 0);
        QCOMPARE(slowly.seen().size(), std::size_t(2));
        QCOMPARE(slowly.seen()[0].text, QStringLiteral("This is  Romania"));
        const SeenBox& end = slowly.seen()[1];
        QCOMPARE(end.text, QStringLiteral("Mi dispiace hai superato la soglia dei 20 errori... "
                                          "La tua gara \u00e8 finita"));
        QCOMPARE(end.title, QStringLiteral("Fine del gioco"));
        QCOMPARE(end.icon, QMessageBox::Warning);
        QCOMPARE(errorsWhileEnding, QStringLiteral("20"));
    }
};

QTEST_MAIN(GameOverTest)
#include "game_over_test.moc"
