// A control the player cannot reach answers nothing: hidden, disabled or under
// an open box, whatever sends the click and however late it lands.

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QMenuBar>
#include <QTest>

#include "box_closer.h"
#include "window_driver.h"

using namespace widget_tests;

namespace {
// Long enough for an animated press, which lands 100 ms after it starts.
constexpr int kPressLandsMs = 250;

// The press action that screen readers and switch access call.
void pressAction(QObject* control)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    QVERIFY(accessible != nullptr && accessible->actionInterface() != nullptr);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// The same on a command of the menu bar.
void pressMenuCommand(QMenuBar* bar, QAction* command)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(bar);
    for (int i = 0; i < accessible->childCount(); ++i) {
        QAccessibleInterface* item = accessible->child(i);
        if (item->object() == command) {
            item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            return;
        }
    }
    QFAIL("the command is not on the menu bar");
}

enum class Press { Action, Click };
enum class Target { StartButton, ExitButton, Instructions };
} // namespace

Q_DECLARE_METATYPE(Press)
Q_DECLARE_METATYPE(Target)

class HiddenControlsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { driver_ = std::make_unique<WindowDriver>(); }
    void cleanup() { driver_.reset(); }

    // Once a challenge is under way the start button is hidden: pressing it
    // neither draws again nor counts the point of a country never found.
    void theHiddenStartButtonStartsNothing_data()
    {
        QTest::addColumn<Press>("press");
        QTest::newRow("press action") << Press::Action;
        // Where Enter, space and the default button end.
        QTest::newRow("click") << Press::Click;
    }

    void theHiddenStartButtonStartsNothing()
    {
        QFETCH(Press, press);
        BoxCloser closer;
        startChallenge(9);
        closer.clear();
        QWidget* command2 = driver_->control("Command2");
        QVERIFY(!command2->isVisible());

        if (press == Press::Action)
            pressAction(command2);
        else
            static_cast<QAbstractButton*>(command2)->click();
        QTest::qWait(kPressLandsMs);

        QCOMPARE(closer.texts(), std::vector<QString>{});
        expectOneChallengeOf("Germany");
    }

    // While the prompt of a challenge is open, the window's controls under it
    // take no press of assistive technology either.
    void nothingUnderAnOpenBoxAnswers_data()
    {
        QTest::addColumn<Target>("target");
        QTest::newRow("start button") << Target::StartButton;
        QTest::newRow("exit button") << Target::ExitButton;
        QTest::newRow("instructions") << Target::Instructions;
    }

    void nothingUnderAnOpenBoxAnswers()
    {
        QFETCH(Target, target);
        BoxCloser closer(kPressLandsMs + 100);
        closer.onOpen([&](const SeenBox&) {
            if (closer.seen().size() > 1)
                return;
            switch (target) {
            case Target::StartButton: pressAction(driver_->control("Command2")); break;
            case Target::ExitButton: pressAction(driver_->control("Command3")); break;
            case Target::Instructions: {
                QMenuBar* bar = driver_->form().menuBar();
                pressMenuCommand(bar, bar->actions().at(0));
                break;
            }
            }
        });

        startChallenge(9);

        QCOMPARE(closer.texts(), std::vector<QString>{QStringLiteral("Click on Germany")});
        QVERIFY(!driver_->delivery().programEnding());
        expectOneChallengeOf("Germany");
    }

    // A press started just before the player's own click lands after the
    // challenge has begun: with its prompt open, or once the button has hid.
    void aPressThatLandsLateStartsNothing_data()
    {
        QTest::addColumn<int>("promptOpenMs");
        QTest::newRow("lands while the prompt is open") << kPressLandsMs;
        QTest::newRow("lands after the button hid") << 0;
    }

    void aPressThatLandsLateStartsNothing()
    {
        QFETCH(int, promptOpenMs);
        BoxCloser closer(promptOpenMs);
        QWidget* command2 = driver_->control("Command2");

        pressAction(command2);
        startChallenge(9);
        QTest::qWait(kPressLandsMs);

        QCOMPARE(closer.texts(), std::vector<QString>{QStringLiteral("Click on Germany")});
        expectOneChallengeOf("Germany");
    }

    // A button disabled between the start of a press and its landing.
    void aButtonDisabledBeforeThePressLandsDoesNothing()
    {
        BoxCloser closer;
        QWidget* command3 = driver_->control("Command3");

        pressAction(command3);
        command3->setEnabled(false);
        QTest::qWait(kPressLandsMs);

        QCOMPARE(closer.texts(), std::vector<QString>{});
        QVERIFY(!driver_->delivery().programEnding());
    }

private:
    void startChallenge(int country)
    {
        driver_->runtime().setRandom(randomFor(country));
        driver_->click(driver_->control("Command2"));
    }

    void expectOneChallengeOf(const char* country)
    {
        const game::GameState& state = driver_->state();
        QCOMPARE(state.viaggi.value(), 1.0);
        QCOMPARE(state.punti, std::int16_t(0));
        QCOMPARE(static_cast<QLabel*>(driver_->control("lblreg"))->text(), QString::fromUtf8(country));
        QVERIFY(!driver_->control("Command2")->isVisible());
    }

    std::unique_ptr<WindowDriver> driver_;
};

QTEST_MAIN(HiddenControlsTest)
#include "hidden_controls_test.moc"
