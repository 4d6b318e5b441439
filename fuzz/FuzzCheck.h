#pragma once
// Checks inside fuzz entry points: a failed one aborts, which libFuzzer reports with the
// input that did it and the replay test reports as a failure.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                    \
    do {                                                                                    \
        if (!(cond)) {                                                                      \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                   \
        }                                                                                   \
    } while (0)

// Deterministic numbers from the input itself, so that a replayed input is cut the same
// way the fuzzer cut it.
inline unsigned long long fuzzHash(const unsigned char* data, size_t size) {
    unsigned long long h = 1469598103934665603ull;  // FNV-1a
    for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 1099511628211ull;
    return h;
}
