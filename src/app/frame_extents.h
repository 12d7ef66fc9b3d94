#pragma once

#include <QMargins>
#include <optional>

class QWidget;

namespace app {

// The borders and title bar the window manager will draw around `window`, in
// the screen's own pixels, asked of it before the window is first shown (the
// window is created for the question, not shown). Nothing where no window
// manager that answers the question manages an X11 screen: then the window
// has no frame the program could know of in advance.
std::optional<QMargins> askFrameExtents(QWidget& window);

} // namespace app
