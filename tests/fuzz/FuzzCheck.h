#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <stdlib.h>

// A broken promise of the code under test: stop, so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);    \
            __builtin_trap();                                                                      \
        }                                                                                          \
    } while (false)

// A folder of the run's own under $TMPDIR (the fuzz runs point it at a tmpfs:
// every delete and import syncs).
inline QString fuzzFolder()
{
    static const QString dir = [] {
        QByteArray name = qgetenv("TMPDIR");
        if (name.isEmpty())
            name = "/tmp";
        name += "/tallybird-fuzz-XXXXXX";
        if (!::mkdtemp(name.data()))
            std::abort();
        return QString::fromLocal8Bit(name);
    }();
    return dir;
}
