// Placeholder until this file is written.
#include "objects.h"

extern "C" {
#pragma GCC diagnostic ignored "-Wunused-parameter"
void WINAPI Sleep(DWORD ms) {}
HMODULE WINAPI GetModuleHandleA(LPCSTR name) { return 0; }
HANDLE WINAPI GetCurrentProcess(void) { return 0; }
BOOL WINAPI TerminateProcess(HANDLE process, UINT code) { return 0; }
DWORD WINAPI GetTickCount(void) { return 0; }
int wsprintfA(LPSTR out, LPCSTR format, ...) {
    out[0] = 0;
    (void)format;
    return 0;
}
}
