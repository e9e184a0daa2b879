// CreateSolidBrush. Selecting a brush is SelectObject's own fast path (dc.cpp)
// and deleting one DeleteObject's (handles.cpp): a brush holds nothing else.
#include "gdi/brush.h"
#include "gdi/stock.h"

using namespace dgp;

namespace {
__attribute__((noinline)) HBRUSH firstbrush(COLORREF color) {
    initstock();
    return newbrush(color);
}
} // namespace

extern "C" HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    // Past the first use, with a free slot, nothing is called.
    if (__builtin_expect(!stockbitmap || !freelist, 0)) return firstbrush(color);
    return newbrush(color);
}
