// The calls on the runtime's hottest path, defined inline so that every
// caller gets them at the cost of a few pointer writes: a brush made from
// the handle table's free list, selected, a 2 x 2 fill, put back and deleted
// (platform/README.md). Everything else they may meet goes out of line.
#pragma once

#include "gdi/brush.h"
#include "gdi/stock.h"

namespace dgp {

HBRUSH firstbrush(COLORREF color);                          // brush.cpp
HGDIOBJ selectother(Dc *d, Slot &s, HGDIOBJ obj);           // dc.cpp
BOOL deleteother(Slot &s, HGDIOBJ obj);                     // handles.cpp
BOOL patblt(Dc *dc, int x, int y, int w, int h, DWORD rop); // fill.cpp
extern long fastfills; // fills served on PatBlt's fast path, for tests

} // namespace dgp

extern "C" {

inline HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    // Past the first use, with a free slot, nothing is called.
    if (__builtin_expect(!dgp::stockbitmap || !dgp::freelist, 0)) return dgp::firstbrush(color);
    return dgp::newbrush(color);
}

inline HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ obj) {
    dgp::Dc *d = dgp::getdc(hdc);
    dgp::Slot *s = dgp::lookup(obj);
    if (!d || !s) return nullptr;
    if (s->kind != dgp::Kind::brush) return dgp::selectother(d, *s, obj);
    // A brush's colour is kept as a pixel beside it.
    HGDIOBJ old = d->brush;
    d->brush = (HBRUSH)obj;
    d->brushpx = s->pixel;
    return old;
}

inline BOOL WINAPI DeleteObject(HGDIOBJ obj) {
    dgp::Slot *s = dgp::lookup(obj);
    if (!s) return FALSE;
    if (s->kind != dgp::Kind::brush) return dgp::deleteother(*s, obj);
    if (!s->stock) dgp::freehandle(obj); // a brush holds nothing else
    return TRUE;
}

inline BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    dgp::Dc *dc = dgp::getdc(hdc);
    if (dc && rop == PATCOPY && w == 2 && h == 2) {
        // A pixel at double size, wholly on the surface.
        if (x >= 0 && y >= 0 && x < dc->w - 1 && y < dc->h - 1) {
            const uint32_t px = dc->brushpx;
            const size_t pitch = (size_t)dc->w;
            uint32_t *p = dc->bits + (size_t)y * pitch + x;
            p[0] = p[1] = px;
            p[pitch] = p[pitch + 1] = px;
            dgp::drawnon(dc->presenter);
            dgp::fastfills++;
            return TRUE;
        }
    }
    return dgp::patblt(dc, x, y, w, h, rop);
}

inline COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    dgp::Dc *dc = dgp::getdc(hdc);
    if (!dc) return CLR_INVALID;
    // Unsigned, a negative coordinate is past every edge too (and a DC
    // without pixels is 0 x 0).
    if ((unsigned)x >= (unsigned)dc->w || (unsigned)y >= (unsigned)dc->h) return color & 0xFFFFFF;
    const uint32_t px = dgp::colorpixel(color);
    dc->bits[(size_t)y * (size_t)dc->w + (size_t)x] = px;
    dgp::drawnon(dc->presenter);
    return dgp::tocolor(px);
}

inline COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    dgp::Dc *dc = dgp::getdc(hdc);
    if (!dc || (unsigned)x >= (unsigned)dc->w || (unsigned)y >= (unsigned)dc->h) return CLR_INVALID;
    return dgp::tocolor(dc->bits[(size_t)y * (size_t)dc->w + (size_t)x]);
}

inline int WINAPI GetClipBox(HDC hdc, LPRECT rect) {
    dgp::Dc *dc = dgp::getdc(hdc);
    if (!dc || !rect) return 0;
    if (dc->w <= 0 || dc->h <= 0) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    *rect = RECT{0, 0, dc->w, dc->h};
    return SIMPLEREGION;
}

} // extern "C"
