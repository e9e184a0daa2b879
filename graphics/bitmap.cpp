// Bitmap files in memory surfaces, and copies of them: plain, from a source
// origin, with a transparent colour, and stretched.
#include "../host/host.h"

#include <climits>
#include <cstring>

namespace {

typedef long long i64;

// Lead bytes of double-byte characters in code page 932.
bool lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Copies at most max bytes of s into out (max + 1 bytes), never splitting a
// double-byte character.
void cut(char *out, const char *s, size_t max) {
    size_t n = 0;
    while (s[n]) {
        size_t len = lead((unsigned char)s[n]) && s[n + 1] ? 2 : 1;
        if (n + len > max) break;
        n += len;
    }
    std::memcpy(out, s, n);
    out[n] = 0;
}

// The target rectangle under the scale rule; false when it passes the 32-bit
// range, where no surface is.
bool scaled(int x, int y, int w, int h, int out[4]) {
    const i64 k = bai == 1 ? 2 : 1;
    const i64 v[4] = {x * k, y * k, w * k, h * k};
    if (v[0] + v[2] > INT_MAX || v[0] + v[2] < INT_MIN || v[1] + v[3] > INT_MAX ||
        v[1] + v[3] < INT_MIN)
        return false;
    for (int i = 0; i < 4; i++) {
        if (v[i] > INT_MAX || v[i] < INT_MIN) return false;
        out[i] = (int)v[i];
    }
    return true;
}

} // namespace

extern "C" {

HDC dg_loadbmp(const char *pfilename) {
    HBITMAP bitmap = (HBITMAP)LoadImageA(GetModuleHandleA(nullptr), pfilename, IMAGE_BITMAP, 0, 0,
                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!bitmap) {
        // "Bitmapロードエラー:" takes 19 of the 80 bytes; the name gets what is left.
        char name[80 - 19];
        cut(name, pfilename ? pfilename : "", sizeof name - 1);
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

void dg_deletebmp(HDC hMemdc) {
    // The surface holds the only handle to its bitmap: free both together.
    HGDIOBJ bitmap = GetCurrentObject(hMemdc, OBJ_BITMAP);
    DeleteDC(hMemdc);
    DeleteObject(bitmap);
}

} // extern "C"
