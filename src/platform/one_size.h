#pragma once

class QEvent;
class QWidget;

namespace platform {

// A window laid out for one size keeps it: whoever asks to maximise it or to
// fill the screen (the window manager, a compositor's window menu, a title bar
// Qt draws itself, a program acting for the player), the state is taken back
// at once. The window is drawn again when the window system answers the
// refusal, and only then, so that a compositor that waits for a frame carries
// out the answer and never the refused state. Called from the window's
// changeEvent.
void keepOneSize(QWidget& window, const QEvent& event);

} // namespace platform
