#pragma once

#include <QLoggingCategory>

namespace sound {

// The program's own diagnostic lines, each in a category under "europa.quiz":
// a person turns them off or on with QT_LOGGING_RULES, as with any Qt program
// (QT_LOGGING_RULES="europa.quiz.*=false").

// The sound service: why the game plays on without sound.
Q_DECLARE_LOGGING_CATEGORY(lcSound)

} // namespace sound
