#pragma once

#include <functional>
#include <string>

#include "app/display_target.h"

namespace app {

// Opens a connection of its own to the display that `platform` connects to
// and waits for its first answer, on a thread that nothing waits for: a
// display that never answers holds it for good. Calls `done` there, with
// true when the display answered (however slowly it goes on), false when
// there was nothing to connect to or it refused (Qt then tries its next
// platform). False, and nothing started, where the platform connects to no
// display server (offscreen, linuxfb, ...).
bool probeDisplay(const std::string& platform, const DisplayTarget& target, std::function<void(bool)> done);

} // namespace app
