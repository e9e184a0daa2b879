// Resident memory from /proc, objects from platform/'s handle table.
#include "fixture.h"
#include "gdi/handles.h"

#include <cstdio>
#include <unistd.h>

long hook_residentkb() {
    long size = 0, resident = 0;
    FILE *f = std::fopen("/proc/self/statm", "r");
    if (!f) return -1;
    if (std::fscanf(f, "%ld %ld", &size, &resident) != 2) resident = -1;
    std::fclose(f);
    return resident < 0 ? -1 : resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long hook_gdiobjects() {
    long n = 0;
    for (const dgp::Slot &s : dgp::slots)
        if (s.kind != dgp::Kind::none && !s.stock) n++;
    return n;
}

bool hook_wine() { return false; }
