// Placeholder until this file is written.
#include "objects.h"

extern "C" {
#pragma GCC diagnostic ignored "-Wunused-parameter"
int WINAPI MessageBoxA(HWND hwnd, LPCSTR text, LPCSTR caption, UINT type) { return 0; }
}
