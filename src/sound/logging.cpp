#include "sound/logging.h"

namespace platform {

Q_LOGGING_CATEGORY(lcSound, "europa.quiz.sound")

} // namespace platform
