#pragma once

class QEvent;
class QWidget;

namespace platform {

// A window laid out for one size keeps it: whoever asks to maximise it or to
// fill the screen (the window manager, a title bar Qt draws itself, a program
// acting for the player), the state is taken back at once and the window is
// drawn again, so that a compositor that waits for the next frame sees the
// refusal straight away. Called from the window's changeEvent.
void keepOneSize(QWidget& window, const QEvent& event);

} // namespace platform
