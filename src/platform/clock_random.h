#pragma once

#include <cstdint>
#include <random>

namespace platform {

// The generator's 32 random bits mapped onto [0, 1). Only the top 24 bits are
// kept, exactly what a float holds, so the largest output is 1 - 2^-24 and a
// rounding step can never turn it into 1.
constexpr float unitFromBits(std::uint32_t bits)
{
    return static_cast<float>(bits >> 8) * 0x1p-24f;
}

// A uniform random source reseeded from the clock whenever asked.
class ClockRandom {
public:
    void randomize();
    float next();

private:
    std::mt19937 engine_{0};
};

} // namespace platform
