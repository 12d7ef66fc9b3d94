#pragma once

#include "app/display_target.h"

namespace app {

// Brings up the window on what Qt is to try and runs the game until it ends;
// returns the exit status.
int runApplication(int argc, char** argv, const DisplayTarget& target);

} // namespace app
