// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant of a fuzz target: a violation is a finding like a crash, in libFuzzer runs and in
// the corpus replays of an ordinary build alike.
#define FUZZ_CHECK(condition)                                                                    \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)
