// The boxes the window opens: the prompt of a challenge, the instructions, and
// the start button as the window's default button.

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <memory>
#include <optional>

#include "box_closer.h"
#include "game/country_table.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"
#include "window_driver.h"

using namespace widget_tests;

namespace {
QString captionOf(WindowDriver& driver, const char* name)
{
    return static_cast<QLabel*>(driver.control(name))->text();
}

// The least room a window manager's title bar takes for `title`: the title in
// a bold font a fifth larger than the application's, centred between the icon
// and three buttons (openbox's smallest: 16 pixels and a gap of 4 each) with
// as much room on the icon's side.
int titleBarAtLeast(const QString& title)
{
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    constexpr int kButtonsRoom = 3 * (16 + 4);
    return QFontMetrics(font).horizontalAdvance(title) + 2 * kButtonsRoom;
}

const QString kWiderThanAnyTitle =
    QStringLiteral("A text far wider than the title its box carries in its bar");
// Long enough for any later layout pass of an open box to have run.
constexpr int kHoldMs = 50;

// What an open box shows, how wide it is and where its middle lies.
struct BoxLook {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    int width = 0;
    bool textWhole = false;
    QPoint centre;
};

BoxLook lookAtOpenBox()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    BoxLook look{box->windowTitle(), box->text(), box->icon(), {}, box->width(), false,
                 box->geometry().center()};
    for (QAbstractButton* button : box->buttons())
        look.buttons << button->text().remove(QLatin1Char('&'));
    for (auto* label : box->findChildren<QLabel*>()) {
        if (label->text() == box->text())
            look.textWhole = label->isVisible() && label->width() >= label->sizeHint().width();
    }
    return look;
}

// Counts the moves and resizes of the open box from the moment it is watched.
class GeometryWatch : public QObject {
public:
    void watchOpenBox() { QApplication::activeModalWidget()->installEventFilter(this); }
    int changes() const { return changes_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        changes_ += event->type() == QEvent::Move || event->type() == QEvent::Resize;
        return false;
    }

private:
    int changes_ = 0;
};
} // namespace

class BoxesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { driver_ = std::make_unique<WindowDriver>(); }
    void cleanup() { driver_.reset(); }

    // The sound starts before the box opens; the name stands in the prompt
    // line and the button goes only once the player has closed it.
    void theStartButtonAnnouncesTheCountryInAModalBox()
    {
        BoxCloser closer;
        QString lblregWhileOpen;
        bool buttonWhileOpen = false;
        std::size_t soundsWhileOpen = 0;
        closer.onOpen([&](const SeenBox&) {
            lblregWhileOpen = captionOf(*driver_, "lblreg");
            buttonWhileOpen = driver_->control("Command2")->isVisible();
            soundsWhileOpen = driver_->runtime().sounds.size();
        });
        driver_->runtime().setRandom(randomFor(1));

        driver_->click(driver_->control("Command2"));

        QCOMPARE(closer.seen().size(), std::size_t(1));
        const SeenBox& prompt = closer.seen()[0];
        QCOMPARE(prompt.text, QStringLiteral("Click on Romania"));
        QCOMPARE(prompt.title, platform::applicationTitle());
        QCOMPARE(prompt.icon, QMessageBox::NoIcon);
        QCOMPARE(lblregWhileOpen, QString());
        QVERIFY(buttonWhileOpen);
        QCOMPARE(soundsWhileOpen, std::size_t(2));
        QCOMPARE(QString::fromStdString(driver_->runtime().sounds.back()),
                 QStringLiteral("/quiz/Europa/Romania.wav"));
        QCOMPARE(captionOf(*driver_, "lblreg"), QStringLiteral("Romania"));
        QVERIFY(!driver_->control("Command2")->isVisible());
    }

    // With the program's own random source: whatever country comes, the box
    // and the prompt line name the same one, and it is one that takes part.
    void theProgramsOwnRuntimeAnnouncesADrawableCountry()
    {
        driver_ = std::make_unique<WindowDriver>(RuntimeKind::Real);
        BoxCloser closer;
        QWidget* parentWhileOpen = nullptr;
        closer.onOpen([&](const SeenBox&) { parentWhileOpen = QApplication::activeModalWidget()->parentWidget(); });

        driver_->click(driver_->control("Command2"));

        QCOMPARE(closer.seen().size(), std::size_t(1));
        const QString name = captionOf(*driver_, "lblreg");
        QCOMPARE(closer.seen()[0].text, QStringLiteral("Click on ") + name);
        QVERIFY(parentWhileOpen == &driver_->form());
        const game::Country* drawn = nullptr;
        for (const game::Country& country : game::kCountries) {
            if (platform::fromUtf8(country.name) == name)
                drawn = &country;
        }
        QVERIFY(drawn != nullptr && drawn->drawn);
    }

    // While a box is open the window takes no clicks.
    void theWindowWaitsWhileABoxIsOpen()
    {
        BoxCloser closer;
        closer.onOpen([&](const SeenBox&) { driver_->clickMapAt(5700, 5640); });
        driver_->runtime().setRandom(randomFor(2));  // Bulgaria, so Romania would be a miss

        driver_->click(driver_->control("Command2"));

        QCOMPARE(closer.texts(), std::vector<QString>{QStringLiteral("Click on Bulgaria")});
        QCOMPARE(driver_->state().errori, std::int16_t(0));
    }

    // Every box is at least as wide as a title bar needs for its title; its
    // text, icon and button are what they would be without it. It is centred
    // over the window at the size it shows, and keeps its place and size while
    // it is open.
    void everyBoxShowsItsWholeTitle_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("exclamation");
        QTest::addColumn<std::optional<QString>>("title");
        QTest::newRow("prompt") << QStringLiteral("Click on Malta") << false << std::optional<QString>();
        QTest::newRow("exact") << QStringLiteral("        EXACT") << false << std::optional<QString>();
        QTest::newRow("instructions")
            << QStringLiteral("The game ends if it exceeds the 20 errors...") << true
            << std::optional<QString>(QStringLiteral("Attention"));
        QTest::newRow("longer title than text")
            << QStringLiteral("Hi") << true
            << std::optional<QString>(QStringLiteral("A title well longer than the text of its box"));
    }

    void everyBoxShowsItsWholeTitle()
    {
        QFETCH(QString, text);
        QFETCH(bool, exclamation);
        QFETCH(std::optional<QString>, title);
        BoxCloser closer(kHoldMs);
        GeometryWatch watch;
        BoxLook look;
        closer.onOpen([&](const SeenBox&) {
            look = lookAtOpenBox();
            watch.watchOpenBox();
        });

        platform::showMessageBox(&driver_->form(), text,
                                 exclamation ? game::BoxStyle::Exclamation : game::BoxStyle::Plain,
                                 title);

        QCOMPARE(look.title, title.value_or(platform::applicationTitle()));
        QCOMPARE(look.text, text);
        QCOMPARE(look.icon, exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
        QCOMPARE(look.buttons, QStringList{QStringLiteral("OK")});
        QVERIFY(look.textWhole);
        QVERIFY2(look.width >= titleBarAtLeast(look.title),
                 qPrintable(QStringLiteral("%1 px wide").arg(look.width)));
        const QPoint offCentre = look.centre - driver_->form().geometry().center();
        QVERIFY2(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1,
                 qPrintable(QStringLiteral("%1, %2 px off centre").arg(offCentre.x()).arg(offCentre.y())));
        QCOMPARE(watch.changes(), 0);
    }

    // A box keeps its one size when asked to fill the screen, as the window does.
    void aBoxRefusesToFillTheScreen()
    {
        BoxCloser closer;
        QRect before;
        Qt::WindowStates after;
        closer.onOpen([&](const SeenBox&) {
            QWidget* box = QApplication::activeModalWidget();
            before = box->geometry();
            box->windowHandle()->setWindowStates(Qt::WindowMaximized);
            QTRY_COMPARE(box->windowHandle()->windowStates(), Qt::WindowStates(Qt::WindowNoState));
            after = box->windowState();
            QCOMPARE(box->geometry(), before);
        });

        platform::showMessageBox(&driver_->form(), QStringLiteral("Click on Malta"), game::BoxStyle::Plain);

        QCOMPARE(closer.seen().size(), std::size_t(1));
        QCOMPARE(after, Qt::WindowStates(Qt::WindowNoState));
    }

    // A box whose text is wider than its title needs keeps the toolkit's width.
    void aBoxWiderThanItsTitleKeepsItsWidth()
    {
        const QString text = kWiderThanAnyTitle;
        BoxCloser closer;
        std::vector<int> widths;
        closer.onOpen([&](const SeenBox&) { widths.push_back(lookAtOpenBox().width); });

        platform::showMessageBox(&driver_->form(), text, game::BoxStyle::Plain);
        platform::showMessageBox(&driver_->form(), text, game::BoxStyle::Plain, QStringLiteral("E"));

        QCOMPARE(widths.size(), std::size_t(2));
        QCOMPARE(widths[0], widths[1]);
        QVERIFY(widths[0] > titleBarAtLeast(platform::applicationTitle()));
    }

    void theInstructionsComeFromTheMenuBar()
    {
        BoxCloser closer;
        QMenuBar* bar = driver_->form().menuBar();
        QAction* instructions = bar->actions().at(0);
        driver_->click(bar, bar->actionGeometry(instructions).center());

        QCOMPARE(closer.seen().size(), std::size_t(1));
        QCOMPARE(closer.seen()[0].text, QStringLiteral("The game ends if it exceeds the 20 errors..."));
        QCOMPARE(closer.seen()[0].title, QStringLiteral("Attention"));
        QCOMPARE(closer.seen()[0].icon, QMessageBox::Warning);
    }

    // The start button is the window's default button; while it is hidden,
    // Enter does nothing.
    void enterPressesTheStartButton()
    {
        BoxCloser closer;
        driver_->runtime().setRandom(randomFor(9));
        QCOMPARE(QApplication::focusWidget(), driver_->control("Text1"));

        driver_->pressKey(Qt::Key_Return);
        QCOMPARE(closer.texts(), std::vector<QString>{QStringLiteral("Click on Germany")});

        driver_->pressKey(Qt::Key_Return);
        driver_->pressKey(Qt::Key_Enter);
        QTest::qWait(30);
        QCOMPARE(closer.seen().size(), std::size_t(1));
        QCOMPARE(driver_->state().viaggi.value(), 1.0);
    }

    void theFocusVisitsTheControlsInTheDesignersOrder()
    {
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            visited << QApplication::focusWidget()->objectName();
            driver_->pressKey(Qt::Key_Tab);
        }
        QCOMPARE(visited, (QStringList{QStringLiteral("Text1"), QStringLiteral("Command3"),
                                        QStringLiteral("Command2"), QStringLiteral("Picture2")}));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text1"));
    }

private:
    std::unique_ptr<WindowDriver> driver_;
};

QTEST_MAIN(BoxesTest)
#include "boxes_test.moc"
