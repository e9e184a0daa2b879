// What the drawing operations share: the scale, the part of a surface that
// can be drawn on, and spans and lines in 64-bit coordinates, so no sum of
// 32-bit arguments ever overflows.
#pragma once

#include "../host/host.h"

typedef long long i64;

// Logical coordinates whose pixels can land on hdc: [x0, x1] x [y0, y1]
// (inclusive); false when none can.
struct Reach {
    i64 x0, y0, x1, y1;
};
bool dg_reach(HDC hdc, Reach &r);

// dg_pset of (x + i, y) for i = 0 .. len - 1 (horizontal) or (x, y + i)
// (vertical), in that order, skipping only pixels that cannot be on hdc.
void dg_span(HDC hdc, i64 x, i64 y, i64 len, bool horizontal, short color);
// dg_line with end points of any size.
void dg_line64(HDC hdc, i64 x1, i64 y1, i64 x2, i64 y2, short color);
