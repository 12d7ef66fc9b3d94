#pragma once

#include <functional>

class QAbstractButton;
class QAction;
class QWidget;

namespace platform {
class EventDelivery;
}

namespace window {

// Whether a control takes a click at this moment: shown, enabled, and not
// under an open modal box. A control the player cannot reach answers nothing
// else either.
bool takesClicks(const QWidget& control);

// Binds a button's click to a game handler. Every way a button is clicked
// (the mouse, Enter or space, a shortcut, the default button, the press
// action of assistive technology) ends in its clicked() signal, some of them
// a moment after they start: the handler runs only when the button takes
// clicks as the click lands, and runs through `delivery`.
void onClick(QAbstractButton* button, platform::EventDelivery& delivery, std::function<void()> handler);

// The same for a menu command: it acts while it is shown and enabled and the
// menu that holds it takes clicks.
void onChoice(QAction* command, platform::EventDelivery& delivery, std::function<void()> handler);

} // namespace window
