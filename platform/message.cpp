// Placeholder until this file is written.
#include "objects.h"

extern "C" {
#pragma GCC diagnostic ignored "-Wunused-parameter"
BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove) { return 0; }
BOOL WINAPI TranslateMessage(const MSG *msg) { return 0; }
LRESULT WINAPI DispatchMessageA(const MSG *msg) { return 0; }
BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return 0; }
LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return 0; }
LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return 0; }
HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) { return 0; }
BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT *ps) { return 0; }
void WINAPI PostQuitMessage(int code) {}
}
