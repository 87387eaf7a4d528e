#pragma once

#include <cstdio>

// A broken promise of the code under test: stop, so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);    \
            __builtin_trap();                                                                      \
        }                                                                                          \
    } while (false)
