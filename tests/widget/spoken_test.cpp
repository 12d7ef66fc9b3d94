// What a screen reader is given: the names and descriptions of the controls
// that show no words of their own, each box's text on the button that takes
// the focus, and a counter's new value told once.

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include "box_closer.h"
#include "game/country_table.h"
#include "window/announcer.h"
#include "window_driver.h"

using namespace widget_tests;

namespace {

QString accessibleText(QObject* object, QAccessible::Text which)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible != nullptr ? accessible->text(which) : QString();
}

} // namespace

class SpokenTest : public QObject {
    Q_OBJECT

private slots:
    void controlsWithoutWordsHaveNamesAndTheMapNamesNoCountry()
    {
        WindowDriver driver;
        QWidget* map = driver.control("Picture2");
        QCOMPARE(accessibleText(map, QAccessible::Name), QStringLiteral("Map of Europe"));
        const QString description = accessibleText(map, QAccessible::Description);
        QVERIFY(!description.isEmpty());
        for (const game::Country& country : game::kCountries) {
            const QString name = QString::fromUtf8(country.name.data(), qsizetype(country.name.size()));
            QVERIFY2(!description.contains(name), qPrintable(name));
        }
        QCOMPARE(accessibleText(driver.control("Text1"), QAccessible::Name), QStringLiteral("Start"));
        QCOMPARE(accessibleText(driver.control("lblpunti"), QAccessible::Name), QStringLiteral("EXACT 0"));
        QCOMPARE(accessibleText(driver.control("lblerrori"), QAccessible::Name), QStringLiteral("WRONG 0"));
    }

    // Whichever way a box opens, its text is said with the button that
    // takes the focus, and not a second time as the box's loose text.
    void aBoxsTextIsTheDescriptionOfItsButton()
    {
        WindowDriver driver;
        BoxCloser closer;
        QString description;
        QWidget* buddy = nullptr;
        QAbstractButton* ok = nullptr;
        closer.onOpen([&](const SeenBox&) {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ok = box->button(QMessageBox::Ok);
            description = accessibleText(ok, QAccessible::Description);
            buddy = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->buddy();
        });
        driver.runtime().setRandom(randomFor(1));
        driver.click(driver.control("Command2"));
        QCOMPARE(closer.texts(), std::vector<QString>{QStringLiteral("Click on Romania")});
        QCOMPARE(description, QStringLiteral("Click on Romania"));
        QCOMPARE(buddy, ok);
    }

    // A miss is told once as "WRONG 1", the counter already named so,
    // although the timer writes the counter on every tick; an idle window
    // tells nothing.
    void aNewCountIsToldOnceWithWhatItCounts()
    {
        WindowDriver driver;
        auto* announcer = driver.form().findChild<window::Announcer*>();
        QVERIFY(announcer != nullptr);
        QStringList told;
        QString counterWhenTold;
        connect(announcer, &window::Announcer::announced, this, [&](const QString& text) {
            told << text;
            counterWhenTold = accessibleText(driver.control("lblerrori"), QAccessible::Name);
        });
        QTest::qWait(200);
        QCOMPARE(told, QStringList());

        BoxCloser closer;
        driver.clickMapAt(5700, 5640);
        QCOMPARE(closer.seen().size(), std::size_t(1));
        QTRY_COMPARE(static_cast<QLabel*>(driver.control("lblerrori"))->text(), QStringLiteral("1"));
        QTest::qWait(200);
        QCOMPARE(told, QStringList{QStringLiteral("WRONG 1")});
        QCOMPARE(counterWhenTold, QStringLiteral("WRONG 1"));
    }
};

QTEST_MAIN(SpokenTest)
#include "spoken_test.moc"
