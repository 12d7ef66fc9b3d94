#include "sound/logging.h"

namespace sound {

Q_LOGGING_CATEGORY(lcSound, "europa.quiz.sound")

} // namespace sound
