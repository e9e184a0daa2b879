// The seam between the runtime and the system: the Win32 names the runtime
// uses. On Windows they come from the system; elsewhere platform/ supplies them.
#pragma once
#ifdef _WIN32
#include <windows.h>
#else
#include "../platform/win32.h"
#endif
