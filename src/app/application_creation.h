#pragma once

#include <QApplication>
#include <memory>

#include "app/display_target.h"

namespace app {

// Makes the application for the display Qt is to try (`target`). Without a
// usable display Qt gives up with an abort and a core dump, and a display
// that never answers would hold the start forever with nothing said; here
// either ends the start with endStart, after all that Qt said, and one line
// that names the cause. Qt's messages meanwhile reach stderr as they are
// given, as Qt would write them, except the plugin loader's reports, which
// are turned on to name a cause and pass only when the person asked for them
// (QT_DEBUG_PLUGINS, or a logging rule). A display that answers, however
// slowly, gets as long as it takes.
std::unique_ptr<QApplication> createApplication(int& argc, char** argv, const DisplayTarget& target);

} // namespace app
