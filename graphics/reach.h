// What the drawing operations share: the logical coordinates that can land on
// a surface, spans in 64-bit coordinates, so no sum of 32-bit arguments ever
// overflows, and the pixel itself as dg_pset draws it.
#pragma once

#include "../host/host.h"

// Logical coordinates whose pixels can land on hdc: [x0, x1] x [y0, y1]
// (inclusive).
struct Reach {
    i64 x0, y0, x1, y1;
};
// False when no logical pixel can land on hdc.
bool dg_reach(HDC hdc, Reach &r);

inline bool inreach(const Reach &r, i64 x, i64 y) {
    return x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1;
}

// dg_pset of (x + i, y) for i = 0 .. len - 1 (horizontal) or (x, y + i)
// (vertical), in that order, skipping only pixels that cannot be on hdc;
// the second form with hdc's reach already at hand.
void dg_span(HDC hdc, i64 x, i64 y, i64 len, bool horizontal, short color);
void dg_span(HDC hdc, const Reach &r, i64 x, i64 y, i64 len, bool horizontal, short color);

// dg_fill and the pens below are inlined into the loops that call them for
// every pixel (WebAssembly compilers otherwise keep a call each).
#if defined(__GNUC__)
#define DG_PEN inline __attribute__((always_inline))
#else
#define DG_PEN inline
#endif

// Fills a device rectangle with a colour: a brush of its own is made,
// selected, used, put back and deleted around every single fill. platform/
// keeps this exact shape (a fresh solid brush, PATCOPY, at bai 1 a 2 x 2
// block for every pixel) on its fastest path; see platform/README.md.
DG_PEN void dg_fill(HDC hdc, int x, int y, int w, int h, COLORREF c) {
    HBRUSH brush = CreateSolidBrush(c);
    HGDIOBJ old = SelectObject(hdc, brush);
    PatBlt(hdc, x, y, w, h, PATCOPY);
    SelectObject(hdc, old);
    DeleteObject(brush);
}

// dg_pset for loops that draw many pixels of one colour, every one in the
// reach: the device colour looked up once, the calls per pixel the same.
// Dot at bai 0 (SetPixel), Block at bai 1 (a 2 x 2 fill; inside the reach
// twice a coordinate stays in the 32-bit range).
struct Dot {
    HDC hdc;
    COLORREF c;
    DG_PEN void operator()(int x, int y) const { SetPixel(hdc, x, y, c); }
};
struct Block {
    HDC hdc;
    COLORREF c;
    DG_PEN void operator()(int x, int y) const { dg_fill(hdc, 2 * x, 2 * y, 2, 2, c); }
};
