// Placeholder until this file is written.
#include "objects.h"

extern "C" {
#pragma GCC diagnostic ignored "-Wunused-parameter"
LONG WINAPI ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) { return 0; }
BOOL WINAPI EnumDisplaySettingsA(LPCSTR device, DWORD mode, DEVMODEA *dm) { return 0; }
HCURSOR WINAPI LoadCursorA(HINSTANCE inst, LPCSTR name) { return 0; }
HCURSOR WINAPI SetCursor(HCURSOR cursor) { return 0; }
HCURSOR WINAPI GetCursor(void) { return 0; }
}
