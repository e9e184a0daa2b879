// The seam between the runtime and the system: the Win32 names the runtime
// uses. On Windows they are the system's own. Elsewhere they are declared in
// win32api.h with the same names, argument orders and constant values as
// <windows.h>; platform/ implements every one of them (platform/README.md
// names the file of each), and defines the calls on the runtime's hottest
// path inline (gdi/hot.h).
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include "win32api.h"
#ifdef __cplusplus
#include "gdi/hot.h"
#endif
#endif
