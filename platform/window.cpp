// Placeholder until this file is written.
#include "objects.h"

extern "C" {
#pragma GCC diagnostic ignored "-Wunused-parameter"
WORD WINAPI RegisterClassA(const WNDCLASSA *wc) { return 0; }
HWND WINAPI CreateWindowExA(DWORD exstyle, LPCSTR cls, LPCSTR title, DWORD style, int x, int y,
                            int w, int h, HWND parent, HMENU menu, HINSTANCE inst, LPVOID param) {
    return 0;
}
BOOL WINAPI UpdateWindow(HWND hwnd) { return 0; }
BOOL WINAPI DestroyWindow(HWND hwnd) { return 0; }
BOOL WINAPI IsWindow(HWND hwnd) { return 0; }
HWND WINAPI GetForegroundWindow(void) { return 0; }
BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) { return 0; }
int WINAPI GetWindowTextA(HWND hwnd, LPSTR text, int max) { return 0; }
int WINAPI GetClassNameA(HWND hwnd, LPSTR name, int max) { return 0; }
LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value) { return 0; }
LONG WINAPI GetWindowLongA(HWND hwnd, int index) { return 0; }
BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return 0; }
BOOL WINAPI SetWindowPos(HWND hwnd, HWND after, int x, int y, int w, int h, UINT flags) {
    return 0;
}
BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) { return 0; }
BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) { return 0; }
BOOL WINAPI ClientToScreen(HWND hwnd, POINT *pt) { return 0; }
int WINAPI GetSystemMetrics(int index) { return 0; }
HDC WINAPI GetDC(HWND hwnd) { return 0; }
int WINAPI ReleaseDC(HWND hwnd, HDC hdc) { return 0; }
}

namespace dgp {
void windowdrawn(Window *) {}
} // namespace dgp
