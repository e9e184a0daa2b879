// Bitmap files in memory surfaces, and copies of them: plain, from a source
// origin, with a transparent colour, and stretched.
#include "../host/host.h"

#include <cstring>

namespace {

// The target rectangle under the scale rule; false when it passes the 32-bit
// range, where no surface is.
bool scaled(int x, int y, int w, int h, int out[4]) {
    const i64 k = dg_scale();
    const i64 v[4] = {x * k, y * k, w * k, h * k};
    if (!fits32(v[0] + v[2]) || !fits32(v[1] + v[3])) return false;
    for (int i = 0; i < 4; i++) {
        if (!fits32(v[i])) return false;
        out[i] = (int)v[i];
    }
    return true;
}

} // namespace

void dg_deletesurface(HDC hMemdc) {
    // The surface holds the only handle to its bitmap: free both together.
    HGDIOBJ bitmap = GetCurrentObject(hMemdc, OBJ_BITMAP);
    DeleteDC(hMemdc);
    DeleteObject(bitmap);
}

extern "C" {

HDC dg_loadbmp(const char *pfilename) {
    HBITMAP bitmap = (HBITMAP)LoadImageA(GetModuleHandleA(nullptr), pfilename, IMAGE_BITMAP, 0, 0,
                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!bitmap) {
        // "Bitmapロードエラー:" takes 19 of the 80 bytes; the name gets what is left.
        char name[80 - 19];
        const char *given = pfilename ? pfilename : "";
        size_t n = dg_cutlen(given, sizeof name - 1);
        std::memcpy(name, given, n);
        name[n] = 0;
        char message[80];
        wsprintfA(message, "Bitmapロードエラー:%s", name);
        MessageBoxA(dg_window(), message, "エラー", MB_ICONHAND);
        Terminate();
    }
    HDC hMemdc = CreateCompatibleDC(nullptr);
    SelectObject(hMemdc, bitmap);
    DeleteObject(bitmap); // refused while selected: the surface keeps it
    return hMemdc;
}

void dg_drawbmp(HDC hdc, int x, int y, int width, int height, HDC hMemdc) {
    int d[4];
    if (scaled(x, y, width, height, d))
        StretchBlt(hdc, d[0], d[1], d[2], d[3], hMemdc, 0, 0, width, height, SRCCOPY);
}

void dg_drawbmp2(HDC hdc, int x, int y, int width, int height, HDC hMemdc, int sx, int sy) {
    int d[4];
    if (scaled(x, y, width, height, d))
        StretchBlt(hdc, d[0], d[1], d[2], d[3], hMemdc, sx, sy, width, height, SRCCOPY);
}

void dg_drawbmp3(HDC hdc, int x, int y, int width, int height, HDC hMemdc, int sx, int sy,
                 COLORREF toumei) {
    int d[4];
    if (scaled(x, y, width, height, d))
        TransparentBlt(hdc, d[0], d[1], d[2], d[3], hMemdc, sx, sy, width, height, toumei);
}

void dg_drawbmp4(HDC hdc, int x, int y, int width, int height, HDC hMemdc, int sx, int sy,
                 int swidth, int sheight, COLORREF toumei) {
    int d[4];
    if (scaled(x, y, width, height, d))
        TransparentBlt(hdc, d[0], d[1], d[2], d[3], hMemdc, sx, sy, swidth, sheight, toumei);
}

void dg_deletebmp(HDC hMemdc) { dg_deletesurface(hMemdc); }

} // extern "C"
