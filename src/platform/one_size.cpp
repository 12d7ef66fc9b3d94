#include "platform/one_size.h"

#include <QEvent>
#include <QWidget>

namespace platform {

void keepOneSize(QWidget& window, const QEvent& event)
{
    constexpr Qt::WindowStates kRefused = Qt::WindowFullScreen | Qt::WindowMaximized;
    if (event.type() != QEvent::WindowStateChange || !(window.windowState() & kRefused))
        return;
    window.setWindowState(window.windowState() & ~kRefused);
    window.update();
}

} // namespace platform
