#pragma once

namespace app {

// Brings up the window and runs the game until it ends; returns the exit status.
int runApplication(int argc, char** argv);

} // namespace app
