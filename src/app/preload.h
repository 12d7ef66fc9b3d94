#pragma once

#include <latch>
#include <thread>

namespace app {

// Start-up work that needs no display, done by one helper thread while the
// program connects to the display and builds its window: first the machine's
// font configuration, the largest single cost of the window's first text;
// then the sound library, which the anthem needs a moment later. One thread,
// in that order, so that the helper takes as little as it can from the
// display server and the window on a machine with few cores.
class StartUpPreload {
public:
    StartUpPreload();
    // Waits for the helper.
    ~StartUpPreload();
    StartUpPreload(const StartUpPreload&) = delete;
    StartUpPreload& operator=(const StartUpPreload&) = delete;

    // Returns once the font configuration is read. It is shared once read,
    // and must not be read twice at once: wait before the first font is used.
    void waitForFonts();

private:
    std::latch fontsRead_{1};
    std::thread helper_;
};

} // namespace app
