#pragma once

#include <QtGlobal>

namespace app {

// Qt's messages while the application is created. Each reaches stderr as it
// is given, as Qt would write it, except the plugin loader's reports, which
// are turned on to name a cause and pass only when the person asked for them
// (QT_DEBUG_PLUGINS, or a logging rule). On Qt's fatal message the start ends
// with endStart and the cause named from what Qt said, in place of Qt's abort
// and its core. Other writes to stderr, and every other way the process may
// end, are left as they are. One at a time.
class StartMessages {
public:
    StartMessages();
    // Gives Qt its own handling back.
    ~StartMessages();
    StartMessages(const StartMessages&) = delete;
    StartMessages& operator=(const StartMessages&) = delete;

private:
    QtMessageHandler previous_;
};

} // namespace app
