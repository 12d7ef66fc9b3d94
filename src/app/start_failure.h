#pragma once

#include <string>
#include <string_view>

namespace app {

// The status the program ends with when it cannot open its window.
inline constexpr int kNoDisplayStatus = 1;

// Ends a start that cannot open the window: one line on stderr that says
// why, after whatever Qt and the libraries have said, and kNoDisplayStatus.
// No abort and no core: nothing has gone wrong inside the program. Safe to
// call from any thread; nothing has been started yet that would need an
// orderly end.
[[noreturn]] void endStart(const std::string& cause);

// Writes all of `text` to stderr at once, past stdio's buffer.
void writeToStderr(std::string_view text);

} // namespace app
