#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

namespace testsupport {

// Where a tone lies in a recording and what it sounds like.
struct ToneMeasure {
    std::size_t first = 0; // first sample above the threshold
    std::size_t last = 0;  // last sample above the threshold
    double hertz = 0;      // from the sign changes between them
    int peak = 0;

    std::size_t length() const { return last - first + 1; }
};

// Nothing when every sample stays within the threshold (silence).
inline std::optional<ToneMeasure> measureTone(std::span<const std::int16_t> samples, int rate,
                                              int threshold = 2000)
{
    ToneMeasure m;
    bool found = false;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const int magnitude = std::abs(static_cast<int>(samples[i]));
        if (magnitude > threshold) {
            if (!found)
                m.first = i;
            found = true;
            m.last = i;
        }
        if (magnitude > m.peak)
            m.peak = magnitude;
    }
    if (!found)
        return std::nullopt;
    std::size_t signChanges = 0;
    for (std::size_t i = m.first + 1; i <= m.last; ++i) {
        if ((samples[i - 1] < 0) != (samples[i] < 0))
            ++signChanges;
    }
    m.hertz = static_cast<double>(signChanges) / 2.0 / (static_cast<double>(m.length()) / rate);
    return m;
}

} // namespace testsupport
