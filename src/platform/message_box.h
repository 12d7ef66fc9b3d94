#pragma once

#include <QString>
#include <optional>

#include "game/services.h"

class QWidget;

namespace platform {

// The application's title, carried by every box that is given none.
QString applicationTitle();

// A modal box with an OK button only; returns once the player has closed it.
// Every box is at least as wide as its title bar needs (titleBarWidth).
void showMessageBox(QWidget* parent, const QString& text, game::BoxStyle style,
                    const std::optional<QString>& title = std::nullopt);

// The runtime's own box for a run-time error: the critical icon and the
// application's title, over no window.
void showRunTimeErrorBox(const QString& text);

// How wide a box must be for a window manager to show `title` whole beside
// the window icon and the title bar's buttons.
int titleBarWidth(const QString& title);

} // namespace platform
