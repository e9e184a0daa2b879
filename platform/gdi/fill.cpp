// Pattern fills: PatBlt beyond its inline fast path (hot.h). Every fill is
// clipped to its surface before it loops, so a rectangle far outside costs
// nothing, and coordinates are widened so no sum overflows. SetPixel and
// GetPixel are inline.
#include "gdi/hot.h"
#include "testhook.h"

#include <algorithm>
#include <cstring>

namespace dgp {

namespace {

// n pixels of one colour from p on.
inline void setrun(uint32_t *p, size_t n, uint32_t px) {
#if defined(__GNUC__) && defined(__x86_64__)
    if (n >= 256) {
        // The string store fills as fast as memset does, for any pattern.
        asm volatile("rep stosl" : "+D"(p), "+c"(n) : "a"(px) : "memory");
        return;
    }
#endif
#if defined(__EMSCRIPTEN__)
    if (n >= 256 && px == 0) {
        // Black, the commonest clear: one memory.fill, which the browser
        // runs as its own memset, faster than a loop of vector stores.
        std::memset(p, 0, n * sizeof *p);
        return;
    }
#endif
    std::fill(p, p + n, px);
}

} // namespace

void fillrect(const Surf &s, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t px) {
    x0 = std::max<int64_t>(x0, 0);
    y0 = std::max<int64_t>(y0, 0);
    x1 = std::min<int64_t>(x1, s.w);
    y1 = std::min<int64_t>(y1, s.h);
    if (x0 >= x1 || y0 >= y1) return;
    const size_t n = (size_t)(x1 - x0), pitch = (size_t)s.w;
    uint32_t *p = s.px + (size_t)y0 * pitch + (size_t)x0;
    if (n == 2) {
        for (int64_t r = y0; r < y1; r++, p += pitch) p[0] = p[1] = px;
    } else if (n == pitch) {
        setrun(p, n * (size_t)(y1 - y0), px); // whole rows: one run
    } else {
        for (int64_t r = y0; r < y1; r++, p += pitch) setrun(p, n, px);
    }
    drawn(s);
}

long fastfills;

namespace {

// The fill colour of a raster operation that needs no source, or false.
bool patpixel(Dc *dc, DWORD rop, uint32_t &px) {
    switch (rop) {
    case PATCOPY:
        px = dc->brushpx;
        return true;
    case WHITENESS:
        px = 0xFFFFFF;
        return true;
    case BLACKNESS:
        px = 0;
        return true;
    }
    return false;
}

} // namespace

BOOL patblt(Dc *dc, int x, int y, int w, int h, DWORD rop) {
    uint32_t px;
    if (!dc || !patpixel(dc, rop, px)) return FALSE;
    Surf s;
    if (!surface(dc, s)) return TRUE;
    // A negative size runs from the corner back: x + w + 1 .. x.
    const int64_t x0 = w >= 0 ? x : (int64_t)x + w + 1, x1 = (int64_t)x + (w >= 0 ? w : 1);
    const int64_t y0 = h >= 0 ? y : (int64_t)y + h + 1, y1 = (int64_t)y + (h >= 0 ? h : 1);
    fillrect(s, x0, y0, x1, y1, px);
    return TRUE;
}

} // namespace dgp

using namespace dgp;

extern "C" long dgp_testfastfills(void) { return fastfills; }
