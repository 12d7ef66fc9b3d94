#include "platform/clock_random.h"

#include <chrono>

namespace platform {

void ClockRandom::randomize()
{
    // Nanoseconds, folded to 32 bits, so two challenges started within the
    // same millisecond still get different seeds.
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    const auto wide = static_cast<std::uint64_t>(ticks);
    engine_.seed(static_cast<std::uint32_t>(wide ^ (wide >> 32)));
}

float ClockRandom::next()
{
    return unitFromBits(static_cast<std::uint32_t>(engine_()));
}

} // namespace platform
