// What the drawing operations share: the logical coordinates that can land on
// a surface, and spans in 64-bit coordinates, so no sum of 32-bit arguments
// ever overflows.
#pragma once

#include "../host/host.h"

// Logical coordinates whose pixels can land on hdc: [x0, x1] x [y0, y1]
// (inclusive).
struct Reach {
    i64 x0, y0, x1, y1;
};
// False when no logical pixel can land on hdc.
bool dg_reach(HDC hdc, Reach &r);

// dg_pset of (x + i, y) for i = 0 .. len - 1 (horizontal) or (x, y + i)
// (vertical), in that order, skipping only pixels that cannot be on hdc.
void dg_span(HDC hdc, i64 x, i64 y, i64 len, bool horizontal, short color);
