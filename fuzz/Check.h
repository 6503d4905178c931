#pragma once
// A broken invariant ends the run, so libFuzzer keeps the input that broke it.

#include <cstdlib>

namespace tonel::fuzz {

inline void check(bool holds)
{
    if (!holds)
        std::abort();
}

}  // namespace tonel::fuzz
