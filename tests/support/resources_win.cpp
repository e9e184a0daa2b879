// Working set and GDI objects as Windows counts them, and whether this is
// Wine.
#include "fixture.h"

#define PSAPI_VERSION 2
#include <psapi.h>

long hook_residentkb() {
    PROCESS_MEMORY_COUNTERS pmc;
    pmc.cb = sizeof pmc;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc)) return -1;
    return (long)(pmc.WorkingSetSize / 1024);
}

long hook_gdiobjects() { return (long)GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

bool hook_wine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
