#pragma once

#include <string>

namespace platform {

// The folder that holds the running program, as the file system spells it:
// links to the program are resolved, and the bytes of the name are kept as
// they are even where they are not valid UTF-8, so files beside the program
// are found whatever its folder is called.
std::string programFolder();

} // namespace platform
