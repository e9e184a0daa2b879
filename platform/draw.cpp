// Placeholder until this file is written.
#include "objects.h"

extern "C" {
#pragma GCC diagnostic ignored "-Wunused-parameter"
BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) { return 0; }
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) { return 0; }
COLORREF WINAPI GetPixel(HDC hdc, int x, int y) { return 0; }
BOOL WINAPI BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
    return 0;
}
BOOL WINAPI StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                       DWORD rop) {
    return 0;
}
BOOL WINAPI TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw,
                           int sh, UINT transparent) {
    return 0;
}
}
