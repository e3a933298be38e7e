#pragma once

// How a harness reports a broken rule: the rule on standard error, then an abort, which the
// fuzzer records as a crash and keeps the input for.

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void fuzzFailure(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}
