// A click on the map reaches the topmost shown country label under it and
// nothing else; the pointer follows the same rule. The clicks here are real
// ones, routed by the window system through the window; the sweep then holds
// the window's routing against the labels' rule at every pixel of the map.

#include <QHash>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <memory>

#include "box_closer.h"
#include "game/answer_table.h"
#include "platform/qt_text.h"
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
    // says its own wrong-answer message and counts an error; anything else
    // does nothing at all.
    void aClickReachesTheTopmostShownLabel()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QString, reaches);
        BoxCloser closer;
        const std::size_t soundsBefore = driver_->runtime().sounds.size();

        driver_->clickMapAt(x, y);

        const CountryLabel* reached = countryLabelOf(driver_->lastPressReceiver());
        QCOMPARE(labelName(reached), reaches);
        if (reached == nullptr)
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

    void everyMapPixelRoutesAndPointsAsTheLabelsRuleSays()
    {
        QWidget* map = driver_->mapArea();
        window::Pointers pointers;
        const QCursor labelPointer = pointers[window::PointerPicture::CountryLabel];
        const QCursor globe = pointers[window::PointerPicture::Globe];
        // Which of the two pointers each widget of the map shows.
        QHash<const QWidget*, bool> showsLabelPointer;
        QList<const QWidget*> widgets{map};
        for (const QWidget* child : map->findChildren<QWidget*>())
            widgets << child;
        for (const QWidget* widget : widgets) {
            const QCursor shown = widget->cursor();
            if (widget->visibleRegion().isEmpty())
                continue;
            QVERIFY2(samePointer(shown, labelPointer) || samePointer(shown, globe),
                     qPrintable(widget->objectName()));
            showsLabelPointer.insert(widget, samePointer(shown, labelPointer));
        }

        int wrongRoutes = 0;
        int wrongPointers = 0;
        for (int y = 0; y < window::kMapHeight; ++y) {
            for (int x = 0; x < window::kMapWidth; ++x) {
                const QWidget* under = map->childAt(x, y);
                const CountryLabel* expected = window::labelAt(x * window::kTwipsPerPixel,
                                                               y * window::kTwipsPerPixel);
                const CountryLabel* routed = countryLabelOf(under);
                if (routed != expected && wrongRoutes++ < 5)
                    qWarning("(%d, %d): routed to %s, the rule says %s", x, y,
                             qPrintable(labelName(routed)), qPrintable(labelName(expected)));
                if (showsLabelPointer.value(under != nullptr ? under : map) != (expected != nullptr))
                    ++wrongPointers;
            }
        }
        QCOMPARE(wrongRoutes, 0);
        QCOMPARE(wrongPointers, 0);
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
    static std::optional<QPoint> pixelOwnedBy(const CountryLabel& label)
    {
        const QRect area = window::toPixels(label.rect) & QRect(0, 0, window::kMapWidth, window::kMapHeight);
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (window::labelAt(x * window::kTwipsPerPixel, y * window::kTwipsPerPixel) == &label)
                    return QPoint(x, y);
            }
        }
        return std::nullopt;
    }

    std::unique_ptr<WindowDriver> driver_;
};

QTEST_MAIN(MapTest)
#include "map_test.moc"
