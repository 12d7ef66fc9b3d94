#pragma once

#include <functional>
#include <string>

#include "app/display_target.h"

namespace app {

// What a display said to a connection of the probe's own.
enum class ProbeResult {
    Answered,    // it answered: it is there, however slowly it goes on
    Unreachable, // nothing to connect to, or it refused: Qt moves on to its next platform
};

// Opens a connection of its own to the display that `platform` connects to
// and waits for its first answer, on a thread that nothing waits for: a
// display that never answers holds it for good. Calls `done` there with what
// came. False, and nothing started, where the platform connects to no display
// server (offscreen, linuxfb, ...).
bool probeDisplay(const std::string& platform, const DisplayTarget& target,
                  std::function<void(ProbeResult)> done);

} // namespace app
