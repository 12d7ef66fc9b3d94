#pragma once

class QAction;
class QMenuBar;

namespace window {

// Fills the window's menu bar and gives back the one command that acts.
QAction* fillMenuBar(QMenuBar* bar);

} // namespace window
