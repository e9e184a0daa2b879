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
        const dgp::Bitmap *t = dc->target;
        if (t && x >= 0 && y >= 0 && x < t->w - 1 && y < t->h - 1) {
            const uint32_t px = dc->brushpx;
            const size_t pitch = (size_t)t->w;
            uint32_t *p = const_cast<uint32_t *>(t->px.data()) + (size_t)y * pitch + x;
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
    color &= 0xFFFFFF;
    const dgp::Bitmap *t = dc->target;
    // Unsigned, a negative coordinate is past every edge too.
    if (!t || (unsigned)x >= (unsigned)t->w || (unsigned)y >= (unsigned)t->h) return color;
    const_cast<uint32_t *>(t->px.data())[(size_t)y * (size_t)t->w + (size_t)x] =
        dgp::topixel(color);
    dgp::drawnon(dc->presenter);
    return color;
}

inline COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    dgp::Dc *dc = dgp::getdc(hdc);
    const dgp::Bitmap *t = dc ? dc->target : nullptr;
    if (!t || (unsigned)x >= (unsigned)t->w || (unsigned)y >= (unsigned)t->h) return CLR_INVALID;
    return dgp::tocolor(t->px[(size_t)y * (size_t)t->w + (size_t)x]);
}

inline int WINAPI GetClipBox(HDC hdc, LPRECT rect) {
    dgp::Dc *dc = dgp::getdc(hdc);
    if (!dc || !rect) return 0;
    const dgp::Bitmap *t = dc->target;
    if (!t || t->w <= 0 || t->h <= 0) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    *rect = RECT{0, 0, t->w, t->h};
    return SIMPLEREGION;
}

} // extern "C"
