// The scale rule and the arithmetic every operation uses to apply it: logical
// coordinates become device pixels by a factor of 2 at bai 1, else 1, and
// sums of 32-bit arguments are worked out in 64 bits so none overflows.
#pragma once

#include "dg.h"

#include <climits>

typedef long long i64;

// dg_gcls, dg_createBB and dg_flip always cover this many device pixels,
// whatever the screen size or bai.
constexpr int fixedwidth = 1280, fixedheight = 1024;

// Device pixels per logical pixel along each axis.
inline int dg_scale() { return bai == 1 ? 2 : 1; }

// Whether v fits a 32-bit int.
inline bool fits32(i64 v) { return v >= INT_MIN && v <= INT_MAX; }

// v held to the 32-bit range.
inline int clamp32(i64 v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : (int)v; }

// Twice v, held to the 32-bit range: a doubled size or position past it
// stays at the limit, which lies off every surface either way.
inline int twice(int v) { return clamp32(2 * (i64)v); }
