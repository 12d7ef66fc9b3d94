// A click on the map reaches the topmost shown country label under it and
// nothing else; the pointer follows the same rule. The clicks and moves here
// are real ones, sent through the window; what a label did is told by what
// the player sees: its box and its error, or nothing at all, and the pointer.

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "box_closer.h"
#include "game/answer_table.h"
#include "platform/qt_text.h"
#include "window/form1_layout.h"
#include "window/pictures.h"
#include "window/twips.h"
#include "window_driver.h"

using namespace widget_tests;
using window::CountryLabel;

namespace {

QString labelName(const CountryLabel* label)
{
    if (label == nullptr)
        return QStringLiteral("the map");
    QString name = platform::fromUtf8(label->name);
    return label->groupIndex < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(label->groupIndex);
}

const CountryLabel* labelNamed(const QString& name)
{
    for (const CountryLabel& label : window::kCountryLabels) {
        if (labelName(&label) == name)
            return &label;
    }
    return nullptr;
}

const game::AnswerRow& answerOf(const CountryLabel& label)
{
    return *game::findAnswer(label.name);
}

} // namespace

class MapTest : public QObject {
    Q_OBJECT

private slots:
    void init() { driver_ = std::make_unique<WindowDriver>(); }
    void cleanup() { driver_.reset(); }

    void aClickReachesTheTopmostShownLabel_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("reaches");
        // In twips from the map's top-left pixel.
        QTest::newRow("last column inside Cyprus") << 7560 << 7800 << "Label83";
        QTest::newRow("right bound of Cyprus") << 7575 << 7800 << "the map";
        QTest::newRow("last row inside Cyprus") << 7300 << 8040 << "Label83";
        QTest::newRow("bottom bound of Cyprus") << 7300 << 8055 << "the map";
        QTest::newRow("middle of Belgium") << 2820 << 4440 << "Label71";
        QTest::newRow("northern France, inside Label67 only") << 2500 << 4850 << "Label67";
        QTest::newRow("inside Label68 and Label67") << 2500 << 5100 << "Label68";
        QTest::newRow("Pyrenees below Label70") << 2000 << 6100 << "Label69";
        QTest::newRow("middle of Switzerland") << 3180 << 5370 << "the map";
        QTest::newRow("southern Norway") << 3600 << 2250 << "the map";
        QTest::newRow("Label60, first pixel") << 5280 << 480 << "Label60";
        QTest::newRow("Label60, last pixel") << 5534 << 494 << "Label60";
        QTest::newRow("one row below Label60") << 5400 << 495 << "the map";
        QTest::newRow("one row below Label60, last twip") << 5534 << 509 << "the map";
        QTest::newRow("northern Italy") << 3720 << 5640 << "Label50(0)";
        QTest::newRow("southern Italy") << 4020 << 6660 << "Label50(1)";
        QTest::newRow("Sicily") << 3960 << 7440 << "Label50(2)";
        QTest::newRow("the sea west of Portugal") << 15 << 7500 << "the map";
        QTest::newRow("the prompt line") << 600 << 200 << "the map";
    }

    // Before any challenge every answer is a miss, so a label with a handler
    // says its own wrong-answer message and counts an error; a label without
    // one does nothing, but shows the flag like every shown label; the map
    // itself does nothing and shows the globe.
    void aClickReachesTheTopmostShownLabel()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QString, reaches);
        const CountryLabel* reached = labelNamed(reaches);
        QVERIFY(reached != nullptr || reaches == QLatin1String("the map"));
        BoxCloser closer;
        const std::size_t soundsBefore = driver_->runtime().sounds.size();

        driver_->clickMapAt(x, y);

        // The map takes the press itself, through the prompt line too.
        QCOMPARE(driver_->lastPressReceiver(), driver_->mapArea());
        if (reached != nullptr && reached->hasHandler) {
            QCOMPARE(closer.texts(), std::vector<QString>{platform::fromUtf8(answerOf(*reached).wrongMessage)});
            QCOMPARE(driver_->state().errori, std::int16_t(1));
        } else {
            QTest::qWait(30);
            QVERIFY(closer.seen().empty());
            QCOMPARE(driver_->state().errori, std::int16_t(0));
        }
        QCOMPARE(driver_->runtime().sounds.size(), soundsBefore);
        QVERIFY(samePointer(pointerAt(mapPixel(x, y)), reached != nullptr ? flag() : globe()));
    }

    void aClickIsAPressAndAReleaseOnOneLabel_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<QString>("answer");
        // Map pixels. Label1 (Romania) spans columns 352 to 408; Label10
        // (Hungary) lies over its first column.
        const QPoint romania(380, 380);
        const QString isRomania = QStringLiteral("This is  Romania");
        QTest::newRow("left press and release") << int(Qt::LeftButton) << romania << romania << isRomania;
        QTest::newRow("released on the label's first column, under another label")
            << int(Qt::LeftButton) << romania << QPoint(352, 360) << isRomania;
        QTest::newRow("released beside the label") << int(Qt::LeftButton) << romania << QPoint(351, 360) << "";
        QTest::newRow("released off the map") << int(Qt::LeftButton) << romania << QPoint(380, -1) << "";
        QTest::newRow("the right button") << int(Qt::RightButton) << romania << romania << "";
        QTest::newRow("pressed on the sea, released on the label")
            << int(Qt::LeftButton) << QPoint(20, 500) << romania << "";
        QTest::newRow("released with no press") << int(Qt::LeftButton) << QPoint() << romania << "";
    }

    void aClickIsAPressAndAReleaseOnOneLabel()
    {
        QFETCH(int, button);
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QFETCH(QString, answer);
        QCOMPARE(answerOf(*window::labelAt(QPoint(380, 380))).wrongMessage, "This is  Romania");
        BoxCloser closer;
        QWindow* window = driver_->form().windowHandle();
        const auto inWindow = [&](QPoint pixel) { return driver_->mapArea()->mapTo(&driver_->form(), pixel); };
        const auto which = static_cast<Qt::MouseButton>(button);
        if (!press.isNull())
            QTest::mousePress(window, which, {}, inWindow(press));
        QTest::mouseRelease(window, which, {}, inWindow(release));
        QTest::qWait(30);
        QCOMPARE(closer.texts(), answer.isEmpty() ? std::vector<QString>{} : std::vector<QString>{answer});
    }

    // Label55 lies wholly beneath Label71, and only Label55 answers "EXACT"
    // with seven spaces.
    void BelgiumAnswersThroughTheUpperOfItsTwoLabels()
    {
        BoxCloser closer;
        driver_->runtime().setRandom(randomFor(23));
        driver_->click(driver_->control("Command2"));
        driver_->clickMapAt(2820, 4440);
        QCOMPARE(closer.texts().back(), QStringLiteral("        EXACT"));
    }

    void theThreeMembersOfLabel50AnswerAlike()
    {
        BoxCloser closer;
        driver_->runtime().setRandom(randomFor(13));  // Italy
        driver_->click(driver_->control("Command2"));
        for (QPoint at : {QPoint(3720, 5640), QPoint(4020, 6660), QPoint(3960, 7440)}) {
            closer.clear();
            driver_->clickMapAt(at.x(), at.y());
            QCOMPARE(closer.texts(), std::vector<QString>{QStringLiteral("        EXACT")});
        }
        QCOMPARE(driver_->state().errori, std::int16_t(0));
    }

    // The pointer shows whether the rule finds a shown label at each map
    // pixel; which label a click there runs is the business of the other tests.
    void everyMapPixelPointsAsTheLabelsRuleSays()
    {
        const qint64 onLabel = keyOf(pointerAt(QPoint(380, 380)));
        const qint64 onMap = keyOf(pointerAt(QPoint(20, 500)));
        QVERIFY(onLabel != onMap);
        int wrong = 0;
        for (int y = 0; y < window::layout::kMapHeight; ++y) {
            for (int x = 0; x < window::layout::kMapWidth; ++x) {
                driver_->moveMouseTo(driver_->mapArea(), QPoint(x, y));
                const bool expected = window::labelAt(QPoint(x, y)) != nullptr;
                const bool shown = keyOf(driver_->form().windowHandle()->cursor()) == onLabel;
                if (shown != expected && wrong++ < 5)
                    qWarning("(%d, %d): the pointer is the %s, the rule finds %s", x, y,
                             shown ? "flag" : "globe", qPrintable(labelName(window::labelAt(QPoint(x, y)))));
            }
        }
        QCOMPARE(wrong, 0);
    }

    // On any screen Qt accepts, however the map's pixels fall on the screen's,
    // every point of the map shows one of its two pointers and a click in the
    // middle of a country answers for it.
    void theMapAnswersAtEveryScale()
    {
        const qint64 onLabel = keyOf(pointerAt(QPoint(380, 380)));
        const qint64 onMap = keyOf(pointerAt(QPoint(20, 500)));
        QWidget* map = driver_->mapArea();
        // Over the map and its frame.
        for (int y = -2; y < map->height() + 2; y += 2) {
            for (int x = -2; x < map->width() + 2; x += 3) {
                driver_->moveMouseTo(map, QPoint(x, y));
                const qint64 shown = keyOf(driver_->form().windowHandle()->cursor());
                QVERIFY2(shown == onLabel || shown == onMap, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            }
        }
        BoxCloser closer;
        driver_->click(map, QPoint(380, 380));
        QCOMPARE(closer.texts(), std::vector<QString>{QStringLiteral("This is  Romania")});
    }

    // Every shown label with a handler, clicked where it is on top, answers
    // with its own row of the answer table.
    void everyLabelIsBoundToItsOwnAnswer()
    {
        // Seventy misses would end the game twenty in; this is about routing.
        driver_->form().findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        BoxCloser closer;
        QStringList unreachable;
        int answered = 0;
        for (const CountryLabel& label : window::kCountryLabels) {
            if (label.shown != window::Shown::Yes || !label.hasHandler)
                continue;
            const std::optional<QPoint> owned = pixelOwnedBy(label);
            if (!owned) {
                unreachable << labelName(&label);
                continue;
            }
            closer.clear();
            driver_->click(driver_->mapArea(), *owned);
            QCOMPARE(closer.texts(), std::vector<QString>{platform::fromUtf8(answerOf(label).wrongMessage)});
            QCOMPARE(driver_->state().errori, std::int16_t(++answered));
        }
        // Two lie wholly beneath a label of their own country: Label55 beneath
        // Label71 over Belgium, Label7 beneath Label8 over Poland.
        QCOMPARE(unreachable, (QStringList{QStringLiteral("Label55"), QStringLiteral("Label7")}));
        QCOMPARE(answered, 70);
    }

private:
    // The pointer the window shows once the mouse has come to a map pixel
    // from outside the window.
    QCursor pointerAt(QPoint pixel)
    {
        driver_->moveMouseTo(driver_->form().menuBar(), QPoint(790, 5));
        driver_->moveMouseTo(driver_->mapArea(), pixel);
        return driver_->form().windowHandle()->cursor();
    }

    QCursor flag() { return made_[window::PointerPicture::CountryLabel]; }
    QCursor globe() { return made_[window::PointerPicture::Globe]; }

    // Tells apart the pointers the window shows without comparing pictures.
    static qint64 keyOf(const QCursor& cursor) { return cursor.pixmap().cacheKey(); }

    static std::optional<QPoint> pixelOwnedBy(const CountryLabel& label)
    {
        const QRect area = window::toPixels(label.rect) & QRect(0, 0, window::layout::kMapWidth, window::layout::kMapHeight);
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (window::labelAt(QPoint(x, y)) == &label)
                    return QPoint(x, y);
            }
        }
        return std::nullopt;
    }

    std::unique_ptr<WindowDriver> driver_;
    window::Pointers made_{qApp->devicePixelRatio()};
};

QTEST_MAIN(MapTest)
#include "map_test.moc"
