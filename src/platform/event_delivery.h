#pragma once

#include <functional>

namespace platform {

// Runs one event handler to its end. A run-time error raised anywhere inside it
// is reported in the runtime's own box, and then the program ends with a
// failure status. Once the program is ending no further handler runs.
void deliver(const std::function<void()>& handler);

// Ends the program at once: no further handler runs and the event loop stops
// with `status`, or does not start when it has not yet.
void endProgram(int status);

bool programEnding();
int exitStatus();

} // namespace platform
