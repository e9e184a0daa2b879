// Stock objects: made once, on first use, and never freed.
#pragma once

#include "gdi/handles.h"

namespace dgp {

extern HGDIOBJ stockobj[32]; // by GetStockObject's index
extern HBITMAP stockbitmap;  // the 1 x 1 bitmap a new memory DC holds; none before makestock

void makestock();
inline void initstock() {
    if (__builtin_expect(!stockbitmap, 0)) makestock();
}

} // namespace dgp
