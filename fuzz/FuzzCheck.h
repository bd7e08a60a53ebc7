#pragma once

// A property that must hold for every input: when it does not, the fuzzer is stopped with the
// property named, and the input that broke it is saved as a crash.

#include <cstdio>
#include <cstdlib>

namespace quiverel::fuzzing {

inline void check(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

} // namespace quiverel::fuzzing
