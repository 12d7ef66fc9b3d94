#pragma once

#include <cstdint>
#include <limits>
#include <type_traits>
#include <variant>

#include "game/runtime_error.h"

namespace game {

// Counters are 16-bit and never wrap: past the largest value the addition is a
// run-time error and the counter keeps its value.
inline void increment(std::int16_t& counter)
{
    if (counter == std::numeric_limits<std::int16_t>::max())
        throw RuntimeError("Overflow");
    ++counter;
}

// Counts the starts of a challenge without ever failing: it begins empty and
// widens (16-bit, 32-bit, then floating point) instead of overflowing.
class TripCounter {
public:
    using Value = std::variant<std::monostate, std::int16_t, std::int32_t, double>;

    TripCounter() = default;
    explicit TripCounter(Value start) : value_(start) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }

    bool equalsOne() const
    {
        return std::visit([](auto v) {
            if constexpr (std::is_same_v<decltype(v), std::monostate>)
                return false;
            else
                return v == 1;
        }, value_);
    }

    void addOne()
    {
        value_ = std::visit([](auto v) -> Value {
            using T = decltype(v);
            if constexpr (std::is_same_v<T, std::monostate>)
                return std::int16_t{1};
            else if constexpr (std::is_same_v<T, double>)
                return v + 1;
            else if (v < std::numeric_limits<T>::max())
                return T(v + 1);
            else if constexpr (std::is_same_v<T, std::int16_t>)
                return std::int32_t{v} + 1;
            else
                return double(v) + 1;
        }, value_);
    }

    // The count as a number, 0 while empty.
    double value() const
    {
        return std::visit([](auto v) {
            if constexpr (std::is_same_v<decltype(v), std::monostate>)
                return 0.0;
            else
                return double(v);
        }, value_);
    }

private:
    Value value_;
};

} // namespace game
