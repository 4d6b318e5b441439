#include "app/StartupTrace.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

// Milliseconds since the process started: its start time in /proc/self/stat (field 22,
// clock ticks since boot) against the boot-time clock. -1 when either is unavailable.
long msSinceProcessStart() {
    FILE* f = std::fopen("/proc/self/stat", "r");
    if (!f) return -1;
    char buffer[1024];
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
    std::fclose(f);
    buffer[n] = '\0';
    // The command name may hold spaces and parentheses: fields are counted after the last ')'.
    const char* p = nullptr;
    for (size_t i = 0; i < n; ++i)
        if (buffer[i] == ')') p = buffer + i;
    if (!p) return -1;
    unsigned long long start = 0;
    int field = 2;
    for (const char* q = p + 1; *q && field < 22; ++q)
        if (*q == ' ' && ++field == 22) start = std::strtoull(q + 1, nullptr, 10);
    const long ticks = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (field != 22 || ticks <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return -1;
    const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    return long(nowMs - double(start) * 1000.0 / double(ticks));
}

}  // namespace

void StartupTrace::mark(const char* what) {
    static const bool on = std::getenv("ZEK_TRACE_STARTUP") != nullptr;
    if (!on) return;
    std::fprintf(stderr, "startup: %s %ld ms\n", what, msSinceProcessStart());
}
