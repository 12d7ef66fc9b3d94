#pragma once

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <functional>
#include <memory>

#include "platform/qt_runtime.h"
#include "recording_runtime.h"
#include "window/country_labels.h"
#include "window/form1.h"

namespace widget_tests {

using testsupport::randomFor;
using testsupport::RecordingRuntime;

// The program's window with its game in reach: the tests read the game's
// state and tick its timer without waiting for it.
class TestedForm1 : public window::Form1 {
public:
    using Form1::Form1;
    using Form1::quiz;
};

// Which runtime the window runs on.
enum class RuntimeKind {
    Recording, // real boxes and end, a random value the test sets, sounds recorded
    Real,      // the program's own runtime
};

// The real window, shown on Qt's offscreen screen, and the ways a player
// reaches it: clicks and keys through the window system.
class WindowDriver {
public:
    explicit WindowDriver(RuntimeKind kind = RuntimeKind::Recording);
    ~WindowDriver();

    TestedForm1& form() { return *form_; }
    RecordingRuntime& runtime() { return recording_; }
    // What runs this window's handlers, and knows whether its program is ending.
    platform::EventDelivery& delivery() { return delivery_; }
    const game::GameState& state() { return form_->quiz().state(); }

    // A control by its name; `index` picks a member of a group.
    QWidget* control(const char* name, int index = -1) const;
    QWidget* mapArea() const;

    // A left click where the player would make it; the receiver sees the
    // press and release that the window system delivers.
    void click(QWidget* widget, QPoint local);
    void click(QWidget* widget);
    void clickMapAt(int xTwips, int yTwips);
    void moveMouseTo(QWidget* widget, QPoint local);
    void pressKey(Qt::Key key);

    // The widget that the last click's press went to first.
    QWidget* lastPressReceiver() const { return lastPressReceiver_; }

    QImage grab();

private:
    class PressSpy;

    // The recording runtime passes its boxes and the end of the program to the real one.
    platform::EventDelivery delivery_;
    platform::QtRuntime real_{delivery_};
    RecordingRuntime recording_;
    std::unique_ptr<TestedForm1> form_;
    std::unique_ptr<PressSpy> spy_;
    QPointer<QWidget> lastPressReceiver_;
};

// Runs the event loop, starting with `start`, until the program ends or
// `limitMs` have passed; gives back the loop's exit status.
int runUntilTheProgramEnds(const std::function<void()>& start, int limitMs = 10000);

// The map pixel of a point in twips.
QPoint mapPixel(int xTwips, int yTwips);

// Whether two pointers look the same and point with the same pixel.
bool samePointer(const QCursor& a, const QCursor& b);

} // namespace widget_tests
