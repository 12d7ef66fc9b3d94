#pragma once

#include <QSize>

namespace app {

// Once the application is created: ends the start with endStart when the
// display system that started cannot show the program's window (it shows no
// window of this kind, or has no screen), or when a window of `logicalSize`
// could not be drawn there at the screen's scale.
void requireDisplayShows(QSize logicalSize);

} // namespace app
