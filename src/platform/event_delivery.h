#pragma once

#include <functional>

namespace platform {

// Runs the game's event handlers for one run of the program and knows which may
// still run: none once the program is ending, and no tick of the timer while a
// message box is open. Start-up makes one for the program's life; a test makes
// one afresh for each window it runs.
class EventDelivery {
public:
    EventDelivery() = default;
    EventDelivery(const EventDelivery&) = delete;
    EventDelivery& operator=(const EventDelivery&) = delete;

    // Runs one event handler to its end. A run-time error raised anywhere inside
    // it is reported in the runtime's own box, and then the program ends with a
    // failure status. Once the program is ending no further handler runs.
    void deliver(const std::function<void()>& handler);

    // Ends the program at once: no further handler runs and the event loop stops
    // with `status`, or does not start when it has not yet.
    void endProgram(int status);

    bool programEnding() const { return ending_; }
    int exitStatus() const { return status_; }

    // True while any of the program's message boxes is open, the runtime's own
    // error box included.
    bool boxOpen() const { return openBoxes_ > 0; }

    // Counts one box as open for its whole life; whoever shows a box holds one.
    class OpenBox {
    public:
        explicit OpenBox(EventDelivery& delivery) : delivery_(delivery) { ++delivery_.openBoxes_; }
        ~OpenBox() { --delivery_.openBoxes_; }
        OpenBox(const OpenBox&) = delete;
        OpenBox& operator=(const OpenBox&) = delete;

    private:
        EventDelivery& delivery_;
    };

private:
    void failWith(const char* what);

    bool ending_ = false;
    int status_ = 0;
    int openBoxes_ = 0;
};

} // namespace platform
