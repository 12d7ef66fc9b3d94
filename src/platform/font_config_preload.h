#pragma once

#include <thread>

namespace platform {

// Reading the machine's font configuration is the largest single cost of the
// first text the window lays out. It needs no display, so a helper thread
// reads it while the program connects to the display and builds its window;
// the window's first use of a font then finds it ready.
class FontConfigPreload {
public:
    FontConfigPreload();
    // Waits for the helper: the configuration is shared and must not be read
    // twice at once.
    ~FontConfigPreload();
    FontConfigPreload(const FontConfigPreload&) = delete;
    FontConfigPreload& operator=(const FontConfigPreload&) = delete;

    void wait();

private:
    std::thread reader_;
};

} // namespace platform
