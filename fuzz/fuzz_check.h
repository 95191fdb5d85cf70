// What a fuzz target does with a property that does not hold: stop at once, so libFuzzer keeps the input.
#pragma once
#include <cstdlib>

namespace qv::fuzz {

inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace qv::fuzz
