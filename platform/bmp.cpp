// Placeholder until this file is written.
#include "objects.h"

extern "C" {
#pragma GCC diagnostic ignored "-Wunused-parameter"
HANDLE WINAPI LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int w, int h, UINT flags) {
    return 0;
}
}
