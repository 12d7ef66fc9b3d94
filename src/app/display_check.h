#pragma once

#include <QtGlobal>

namespace app {

// The status the program ends with when it has no display to open its window on.
inline constexpr int kNoDisplayStatus = 1;

// Wraps the creation of the QApplication. While it lives, a fatal error from
// Qt (the only kind that creation raises is the platform plugin finding no
// display) ends the program with one line on stderr that says what failed, and
// kNoDisplayStatus, without the abort and its core dump. Everything said on
// the way, by Qt and by the display libraries, is held back meanwhile; when
// creation succeeds it is passed on as usual.
class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

private:
    QtMessageHandler previous_;
};

} // namespace app
