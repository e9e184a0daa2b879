// What the runtime's parts share beyond the hosted-program interface.
#pragma once

#include "win32.h"
#include "dg.h"
#include "scale.h"

#include <stddef.h>

// The program's own window, made by start-up. Every operation that needs the
// window acts on this one, never on whatever other window is in front.
HWND dg_window(void);

// Start-up up to the point where Main is called: the class, the window, the
// screen configuration and gvram.
void dg_open(HINSTANCE inst);

extern "C" LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// The device colour of a palette index. Only its low 8 bits choose the
// entry, as an 8-bit video register would, so no index reads outside coltbl.
inline COLORREF dg_color(short color) { return coltbl[(unsigned char)color]; }

// The length of the longest start of s, at most max bytes, that ends on a
// character boundary of code page 932: a lead byte is never kept without
// the trail byte that follows it (graphics/text.cpp).
size_t dg_cutlen(const char *s, size_t max);

// Releases a memory surface from dg_loadbmp or dg_createBB together with the
// bitmap it holds (graphics/bitmap.cpp).
void dg_deletesurface(HDC hMemdc);
