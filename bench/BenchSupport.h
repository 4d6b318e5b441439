#pragma once
#include <cstdio>
#include <unistd.h>

// Resident memory of this process in bytes (0 when /proc cannot be read).
inline long residentBytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

inline double residentMegabytes() { return double(residentBytes()) / (1024.0 * 1024.0); }
