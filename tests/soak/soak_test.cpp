// The game played for a long time through the real window and the program's
// own runtime: challenges solved by clicks on the map, every box closed as it
// opens, then a long run of timer ticks. Memory must stay flat.

#include <QPushButton>
#include <QTest>

#include <fstream>
#include <map>
#include <unistd.h>

#include "box_closer.h"
#include "game/answer_table.h"
#include "platform/program_folder.h"
#include "sound_folder.h"
#include "window/country_labels.h"
#include "window/form1_layout.h"
#include "window_driver.h"

using namespace widget_tests;

namespace {

constexpr int kChallenges = 2000;
// The first few hundred challenges fill caches, pools and the sound device's
// buffers; growth is measured from there on.
constexpr int kWarmUpChallenges = 300;
constexpr int kTicks = 100000;
constexpr long kAllowedGrowthBytes = 2L * 1024 * 1024;

long residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

// For every country that has a label, one map pixel whose click reaches it.
std::map<std::int16_t, QPoint> onePixelPerCountry()
{
    std::map<std::int16_t, QPoint> pixels;
    for (int y = 0; y < window::layout::kMapHeight; ++y) {
        for (int x = 0; x < window::layout::kMapWidth; ++x) {
            const window::CountryLabel* label = window::labelAt(QPoint(x, y));
            if (label == nullptr || !label->hasHandler)
                continue;
            if (const game::AnswerRow* row = game::findAnswer(label->name))
                pixels.emplace(row->number, QPoint(x, y));
        }
    }
    return pixels;
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The program's runtime looks for its sounds beside the running program.
        testsupport::writeGameSounds(platform::programFolder());
    }

    void longGameKeepsMemoryFlat()
    {
        WindowDriver driver(RuntimeKind::Real);
        BoxCloser closer;
        const auto pixels = onePixelPerCountry();
        QWidget* start = driver.control("Command2");
        QVERIFY(start != nullptr);

        long warm = 0;
        for (int i = 1; i <= kChallenges; ++i) {
            driver.click(start);
            const std::int16_t asked = driver.state().caso;
            QVERIFY2(pixels.count(asked) == 1, qPrintable(QString::number(asked)));
            driver.click(driver.mapArea(), pixels.at(asked));
            QVERIFY2(!start->isHidden(), "the answer was not taken as right");
            QCOMPARE(closer.seen().size(), std::size_t{2});
            closer.clear();
            if (i == kWarmUpChallenges)
                warm = residentBytes();
        }
        QCOMPARE(driver.state().punti, std::int16_t(kChallenges - 1));
        QCOMPARE(driver.state().errori, std::int16_t(0));
        const long afterChallenges = residentBytes();

        for (int i = 0; i < kTicks; ++i)
            driver.delivery().deliver([&driver] { driver.form().quiz().Timer1_Timer(); });
        QCoreApplication::processEvents();
        const long afterTicks = residentBytes();
        QVERIFY(!driver.delivery().programEnding());
        QVERIFY(closer.seen().empty());

        qInfo("resident memory: %ld KiB after %d challenges, %+ld KiB after %d, %+ld KiB after %d ticks",
              warm / 1024, kWarmUpChallenges, (afterChallenges - warm) / 1024, kChallenges,
              (afterTicks - warm) / 1024, kTicks);
        QVERIFY(afterChallenges - warm < kAllowedGrowthBytes);
        QVERIFY(afterTicks - warm < kAllowedGrowthBytes);
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
