#pragma once

#include <QString>
#include <optional>

#include "game/services.h"

class QWidget;

namespace platform {

// The application's title, carried by every box that is given none.
QString applicationTitle();

// A modal box with an OK button only; returns once the player has closed it.
void showMessageBox(QWidget* parent, const QString& text, game::BoxStyle style,
                    const std::optional<QString>& title = std::nullopt);

// True while any of the program's message boxes is open, the runtime's own
// error box included.
bool messageBoxOpen();

} // namespace platform
