#pragma once

class QWidget;

namespace platform {

// Makes a top-level window laid out for one size keep it, from its first
// showing on; called once, before the window shows.
//
// Whoever asks to maximise it or to fill the screen (the window manager, a
// compositor's window menu, a title bar Qt draws itself, a program acting for
// the player), the state is taken back at once. The window is drawn again
// each time the window system reports it in a state it keeps, so that a
// compositor that waits for a frame carries out its answer to the refusal,
// and never the refused state.
//
// On Wayland the compositor places the window by the size it first draws.
// Qt draws its own title bar there when the compositor draws none, yet gives
// the compositor the window's one size without that title bar as both its
// least and its greatest size. GNOME's shell, seeing a window larger than its
// greatest size, shows it in the corner and places it only at a later frame,
// under the player's first click. So the window shows with no size limits,
// and gets them once its first frame is on screen.
void keepOneSize(QWidget& window);

} // namespace platform
