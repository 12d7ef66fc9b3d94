#pragma once

#include <ostream>
#include <string>

#include "sound/wav_format.h"
#include "wav_builder.h"

namespace testsupport {

// A WAV layout that a parameterised test runs on, shown and known by its name.
struct LayoutCase {
    const char* name;
    WavLayout layout;
    // How the WAV reader must take the samples; only the reader's own test asks.
    sound::SampleEncoding encoding = {};
};

inline void PrintTo(const LayoutCase& c, std::ostream* os)
{
    *os << c.name;
}

// Names each instance of a parameterised test after its case's `name`.
struct CaseName {
    template <class Info>
    std::string operator()(const Info& info) const
    {
        return info.param.name;
    }
};

} // namespace testsupport
