// The back buffer: a fixed 1280 x 1024 surface in the window's format,
// shown with one block copy.
#include "../host/host.h"

extern "C" {

HDC dg_createBB(void) {
    HWND hwnd = dg_window();
    HDC hdc = GetDC(hwnd);
    HDC hMemdc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(hdc, fixedwidth, fixedheight);
    SelectObject(hMemdc, bitmap);
    PatBlt(hMemdc, 0, 0, fixedwidth, fixedheight, WHITENESS);
    ReleaseDC(hwnd, hdc);
    DeleteObject(bitmap); // refused while selected: the surface keeps it
    return hMemdc;
}

void dg_flip(HDC hdc, HDC hMemdc) {
    BitBlt(hdc, 0, 0, fixedwidth, fixedheight, hMemdc, 0, 0, SRCCOPY);
}

void dg_deleteBB(HDC hMemdc) { dg_deletesurface(hMemdc); }

} // extern "C"
