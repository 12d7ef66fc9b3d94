#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "game/quiz.h"
#include "platform/event_delivery.h"
#include "platform/message_box.h"
#include "no_controls.h"
#include "platform/qt_runtime.h"

namespace {

// Closes every box as it opens and writes what it said to stderr, where the
// death test reads it.
void closeBoxesAndReport()
{
    auto* watcher = new QTimer(qApp);
    QObject::connect(watcher, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            fprintf(stderr, "box[%s|%s|%d]\n", qPrintable(box->windowTitle()),
                    qPrintable(box->text()), box->icon());
            box->accept();
        }
    });
    watcher->start(10);
}

// A miss with the error counter at its top: the run-time error reaches the
// player in the runtime's box and the program ends with a failure status.
[[noreturn]] void missWithFullErrorCounter()
{
    int argc = 1;
    char name[] = "run_time_error_test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    platform::EventDelivery delivery;
    platform::QtRuntime runtime(delivery);
    testsupport::NoControls controls;
    game::GameState state;
    state.errori = 32767;
    game::Quiz quiz(runtime, controls, state);
    closeBoxesAndReport();
    QTimer::singleShot(0, [&] {
        delivery.deliver([&] { quiz.labelClick(*game::findAnswer("Label1")); });
        // Nothing more runs once the program is ending.
        delivery.deliver([] { fprintf(stderr, "handler ran after the error\n"); });
    });
    const int status = QApplication::exec();
    fprintf(stderr, "errori=%d\n", quiz.state().errori);
    std::exit(status);
}

} // namespace

TEST(RunTimeError, OverflowIsShownThenEndsTheProgramWithFailure)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    using ::testing::HasSubstr;
    EXPECT_EXIT(missWithFullErrorCounter(), ::testing::ExitedWithCode(1),
                ::testing::AllOf(HasSubstr("box[Europa Quiz|This is  Romania|0]"),
                                 HasSubstr("box[Europa Quiz|Run-time error:\n\nOverflow|3]"),
                                 HasSubstr("errori=32767"),
                                 ::testing::Not(HasSubstr("handler ran after the error"))));
}

[[noreturn]] void sayGoodbyeThenEnd()
{
    int argc = 1;
    char name[] = "run_time_error_test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    platform::EventDelivery delivery;
    closeBoxesAndReport();
    QTimer::singleShot(0, [&] {
        delivery.deliver([&] {
            platform::showMessageBox(nullptr, QStringLiteral("To the next challenge!"),
                                     game::BoxStyle::Plain);
            delivery.endProgram(0);
        });
    });
    std::exit(QApplication::exec());
}

TEST(RunTimeError, EndingAfterABoxLeavesWithSuccess)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_EXIT(sayGoodbyeThenEnd(), ::testing::ExitedWithCode(0),
                "box\\[.*\\|To the next challenge!\\|0\\]");
}
