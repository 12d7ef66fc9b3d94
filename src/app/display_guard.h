#pragma once

#include <QSize>
#include <QtGlobal>

namespace app {

// The status the program ends with when it cannot open its window.
inline constexpr int kNoDisplayStatus = 1;

// Wraps the connection to the display: the creation of the QApplication and
// the checks that the window can be shown there. While it lives, everything
// said by Qt and by the display libraries is held back, and:
// - a fatal error from Qt (the platform plugin finding no display, or not
//   loading) ends the program with one line on stderr that says what failed,
//   and kNoDisplayStatus, without the abort and its core dump. What was held
//   is passed on before that line when the person asked for it
//   (QT_DEBUG_PLUGINS, QT_LOGGING_RULES), or when the line cannot name the
//   cause;
// - whatever else ends the process (a crash, a signal, exit, an abort after a
//   fatal warning) passes on what was held first, and the process ends as it
//   would have;
// - when creation succeeds, what was held is passed on as usual.
// One at a time.
class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    // Ends the program as above when the display system has no screen, or
    // when a window of `logicalSize` could not be shown at the screen's scale.
    void requireRoomFor(QSize logicalSize) const;

private:
    QtMessageHandler previous_;
};

} // namespace app
