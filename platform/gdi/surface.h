// The pixels a DC draws on, as the drawing code walks them.
#pragma once

#include "gdi/dc.h"

namespace dgp {

// COLORREF 0x00BBGGRR <-> pixel 0x00RRGGBB.
inline uint32_t topixel(COLORREF c) {
#if defined(__GNUC__)
    return __builtin_bswap32(c) >> 8; // the byte order reversed, the top byte dropped
#else
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
#endif
}
inline COLORREF tocolor(uint32_t p) { return topixel(p); }

// The pixel of a COLORREF whose top byte is not 0 (color.cpp); rare, kept
// out of the drawing loops.
#if defined(__GNUC__)
__attribute__((cold))
#endif
uint32_t
flaggedpixel(COLORREF c);
// The pixel a COLORREF stands for, as GDI reads its top byte: bit 24 set
// names an entry of the default palette, 0x10FF in the top half an index into
// the colour table, and any other top byte is ignored.
inline uint32_t colorpixel(COLORREF c) {
#if defined(__GNUC__)
    if (__builtin_expect(c >> 24 != 0, 0)) return flaggedpixel(c);
#else
    if (c >> 24) return flaggedpixel(c);
#endif
    return topixel(c);
}

struct Surf {
    uint32_t *px = nullptr;
    int w = 0, h = 0;
    Presenter *presenter = nullptr; // a window's, or none
};
// False when d has no pixels to draw on.
inline bool surface(const Dc *d, Surf &s) {
    if (!d || !d->bits) return false;
    s.px = d->bits;
    s.w = d->w;
    s.h = d->h;
    s.presenter = d->presenter;
    return s.w > 0 && s.h > 0;
}
inline bool surface(HDC hdc, Surf &s) { return surface(getdc(hdc), s); }

// After drawing on s.
inline void drawn(const Surf &s) { drawnon(s.presenter); }

// Fills the rectangle [x0, x1) x [y0, y1) of s, clipped to it, with px.
void fillrect(const Surf &s, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t px);

} // namespace dgp
