#pragma once

#include <stdexcept>
#include <string>

namespace game {

// A fault no handler recovers from: it travels up to the place where the platform
// delivered the event, which reports it in its own box and ends the program.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(const std::string& what) : std::runtime_error(what) {}
};

} // namespace game
