// The benchmark's whole frame (frame.h).
#include "frame.h"
#include "bench.h"

namespace bench {

HDC makesurface(int w, int h, uint32_t (*px)(int, int)) {
    HDC hdc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(gvram, w, h);
    SelectObject(hdc, bitmap);
    DeleteObject(bitmap); // refused while selected: the surface keeps it
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            uint32_t p = px(x, y);
            SetPixel(hdc, x, y, RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF));
        }
    return hdc;
}

void frame(HDC bb, int n) {
    static HDC sprite = makesurface(16, 16, spritepx), picture = makesurface(320, 200, picturepx);
    constexpr COLORREF toumei = RGB(key >> 16, (key >> 8) & 0xFF, key & 0xFF);
    auto colour = [](int i) { return (short)(32 + (i & 63)); };
    dg_gcls(bb, 0);
    dg_drawbmp(bb, 0, 0, 320, 200, picture);
    for (int i = 0; i < framesprites; i++) {
        int x, y;
        framesprite(i, x, y);
        dg_drawbmp3(bb, x, y, 16, 16, sprite, 0, 0, toumei);
    }
    for (int i = 0; i < framelines; i++) {
        Seg s = frameline(i);
        dg_line(bb, s.x1, s.y1, s.x2, s.y2, colour(i));
    }
    for (int i = 0; i < framecircles; i++) {
        int cx, cy, r;
        framecircle(i, cx, cy, r);
        dg_circle(bb, cx, cy, r, colour(i));
    }
    dg_printf(10, 10, 15, "cnt:%d", n);
    dg_flip(gvram, bb);
}

} // namespace bench
