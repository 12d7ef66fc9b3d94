#pragma once

#include <chrono>
#include <thread>

namespace app {

// How long the start waits for the display to answer: a frozen or overloaded
// server, or a socket nobody serves, would otherwise hold the start forever
// inside the connection, with nothing said.
inline constexpr std::chrono::seconds kDisplayAnswerWait{10};

// Wraps the creation of the application: when the platform plugin has not
// reached its display within kDisplayAnswerWait, the start ends with
// endStart, naming the display that does not answer. One at a time.
class DisplayAnswerWait {
public:
    DisplayAnswerWait();
    // The creation is over, however it went.
    ~DisplayAnswerWait();
    DisplayAnswerWait(const DisplayAnswerWait&) = delete;
    DisplayAnswerWait& operator=(const DisplayAnswerWait&) = delete;

private:
    std::thread watcher_;
};

} // namespace app
