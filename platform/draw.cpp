// Pattern fills, single pixels and block copies on 32-bit surfaces. Every
// operation clips to its surfaces before it loops, so a rectangle far outside
// costs nothing, and coordinates are widened so no sum overflows.
//
// Stretching follows GDI's default mode: each target pixel takes the source
// pixel at the centre of its span, and when shrinking, the source pixels that
// fall on one target pixel are combined with AND.
#include "objects.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace dgp;

namespace {

typedef long long i64;

// A rectangle's extent along one axis: `len` pixels from `start`, in the
// direction of its sign; a negative length runs from start down to
// start + len + 1.
void bounds(i64 start, i64 len, i64 &lo, i64 &hi) {
    if (len >= 0) {
        lo = start;
        hi = start + len;
    } else {
        lo = start + len + 1;
        hi = start + 1;
    }
}

void fill(const Surf &s, i64 x, i64 y, i64 w, i64 h, uint32_t px) {
    i64 x0, x1, y0, y1;
    bounds(x, w, x0, x1);
    bounds(y, h, y0, y1);
    x0 = std::max<i64>(x0, 0);
    y0 = std::max<i64>(y0, 0);
    x1 = std::min<i64>(x1, s.w);
    y1 = std::min<i64>(y1, s.h);
    if (x0 >= x1 || y0 >= y1) return;
    const int n = (int)(x1 - x0);
    for (i64 r = y0; r < y1; r++) {
        uint32_t *p = s.px + (size_t)r * (size_t)s.w + (size_t)x0;
        if (n == 2) {
            p[0] = px;
            p[1] = px;
        } else {
            std::fill(p, p + n, px);
        }
    }
    drawn(s);
}

// One target coordinate and the source coordinates [lo, hi] that land on it,
// already clipped to the source surface.
struct Span {
    int d, lo, hi;
};

// floor(a / b) and ceil(a / b) for b > 0.
__int128 floordiv(__int128 a, __int128 b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
__int128 ceildiv(__int128 a, __int128 b) { return -floordiv(-a, b); }

// The spans of one axis: target start d, length dl, on a surface of dn pixels;
// source start s, length sl, on a surface of sn pixels. Only target pixels on
// the target surface are visited.
void axis(std::vector<Span> &out, i64 d, i64 dl, int dn, i64 s, i64 sl, int sn) {
    out.clear();
    const i64 ddir = dl < 0 ? -1 : 1, sdir = sl < 0 ? -1 : 1;
    const i64 dlen = dl < 0 ? -dl : dl, slen = sl < 0 ? -sl : sl;
    if (dlen == 0 || slen == 0) return;
    // Steps k along the target whose pixel d + ddir * k lies on [0, dn).
    i64 k0, k1; // inclusive
    if (ddir > 0) {
        k0 = std::max<i64>(0, -d);
        k1 = std::min<i64>(dlen - 1, (i64)dn - 1 - d);
    } else {
        k0 = std::max<i64>(0, d - ((i64)dn - 1));
        k1 = std::min<i64>(dlen - 1, d);
    }
    for (i64 k = k0; k <= k1; k++) {
        i64 j0, j1; // source steps landing on target step k
        if (dlen >= slen) {
            j0 = j1 = (i64)floordiv((__int128)(2 * k + 1) * slen, (__int128)2 * dlen);
        } else {
            // Source step j lands on floor((2j + 1) * dlen / (2 * slen)).
            j0 = (i64)ceildiv((__int128)2 * k * slen - dlen, (__int128)2 * dlen);
            j1 = (i64)ceildiv((__int128)2 * (k + 1) * slen - dlen, (__int128)2 * dlen) - 1;
            j0 = std::max<i64>(j0, 0);
            j1 = std::min<i64>(j1, slen - 1);
        }
        i64 a = s + sdir * j0, b = s + sdir * j1;
        if (a > b) std::swap(a, b);
        a = std::max<i64>(a, 0);
        b = std::min<i64>(b, (i64)sn - 1);
        if (a > b) continue;
        out.push_back({(int)(d + ddir * k), (int)a, (int)b});
    }
}

// Copies (src, sx, sy, sw, sh) onto (dst, x, y, w, h); with `keyed`, source
// results equal to `key` are left out.
bool copy(HDC dst, i64 x, i64 y, i64 w, i64 h, HDC src, i64 sx, i64 sy, i64 sw, i64 sh, bool keyed,
          uint32_t key) {
    Surf d, s;
    if (!getdc(dst) || !getdc(src)) return false;
    if (!surface(dst, d) || !surface(src, s)) return true;
    static std::vector<Span> xs, ys;
    axis(ys, y, h, d.h, sy, sh, s.h);
    if (ys.empty()) return true;
    axis(xs, x, w, d.w, sx, sw, s.w);
    if (xs.empty()) return true;

    // A copy within one surface reads from a snapshot of the source area.
    static std::vector<uint32_t> snap;
    const uint32_t *sp = s.px;
    size_t spitch = (size_t)s.w;
    int ox = 0, oy = 0;
    if (s.px == d.px) {
        int xa = s.w, xb = -1, ya = s.h, yb = -1;
        for (const Span &v : xs) xa = std::min(xa, v.lo), xb = std::max(xb, v.hi);
        for (const Span &v : ys) ya = std::min(ya, v.lo), yb = std::max(yb, v.hi);
        spitch = (size_t)(xb - xa + 1);
        snap.resize(spitch * (size_t)(yb - ya + 1));
        for (int r = ya; r <= yb; r++)
            std::memcpy(&snap[(size_t)(r - ya) * spitch], s.px + (size_t)r * s.w + xa, spitch * 4);
        sp = snap.data();
        ox = xa;
        oy = ya;
    }

    // Plain copies: one source pixel per target pixel, in the same direction.
    bool plainx = xs.size() == 1 || (xs[1].d == xs[0].d + 1 && xs[1].lo == xs[0].lo + 1);
    for (const Span &v : xs) plainx = plainx && v.lo == v.hi;
    if (plainx && xs.size() > 1)
        plainx = xs.back().d - xs[0].d == (int)xs.size() - 1 &&
                 xs.back().lo - xs[0].lo == (int)xs.size() - 1;
    const size_t n = xs.size();
    for (const Span &row : ys) {
        uint32_t *out = d.px + (size_t)row.d * d.w;
        if (row.lo == row.hi) {
            const uint32_t *in = sp + (size_t)(row.lo - oy) * spitch;
            if (plainx && !keyed) {
                std::memcpy(out + xs[0].d, in + (xs[0].lo - ox), n * 4);
                continue;
            }
            for (const Span &c : xs) {
                uint32_t v = in[c.lo - ox];
                for (int i = c.lo + 1; i <= c.hi; i++) v &= in[i - ox];
                v &= 0xFFFFFF;
                if (!keyed || v != key) out[c.d] = v;
            }
            continue;
        }
        for (const Span &c : xs) {
            uint32_t v = 0xFFFFFFFF;
            for (int r = row.lo; r <= row.hi; r++) {
                const uint32_t *in = sp + (size_t)(r - oy) * spitch;
                for (int i = c.lo; i <= c.hi; i++) v &= in[i - ox];
            }
            v &= 0xFFFFFF;
            if (!keyed || v != key) out[c.d] = v;
        }
    }
    drawn(d);
    return true;
}

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

extern "C" {

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    Dc *dc = getdc(hdc);
    uint32_t px;
    if (!dc || !patpixel(dc, rop, px)) return FALSE;
    Surf s;
    if (surface(hdc, s)) fill(s, x, y, w, h, px);
    return TRUE;
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    Surf s;
    if (!getdc(hdc)) return CLR_INVALID;
    color &= 0xFFFFFF;
    if (!surface(hdc, s) || x < 0 || y < 0 || x >= s.w || y >= s.h) return color;
    s.px[(size_t)y * s.w + x] = topixel(color);
    drawn(s);
    return color;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    Surf s;
    if (!surface(hdc, s) || x < 0 || y < 0 || x >= s.w || y >= s.h) return CLR_INVALID;
    return tocolor(s.px[(size_t)y * s.w + x] & 0xFFFFFF);
}

BOOL WINAPI BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
    if (rop != SRCCOPY) return PatBlt(dst, x, y, w, h, rop);
    return copy(dst, x, y, w, h, src, sx, sy, w, h, false, 0);
}

BOOL WINAPI StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                       DWORD rop) {
    if (rop != SRCCOPY) return PatBlt(dst, x, y, w, h, rop);
    return copy(dst, x, y, w, h, src, sx, sy, sw, sh, false, 0);
}

BOOL WINAPI TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw,
                           int sh, UINT transparent) {
    if (w < 0 || h < 0 || sw < 0 || sh < 0) return FALSE;
    // Only a plain colour can match; a palette reference matches nothing here.
    const UINT tag = transparent >> 24;
    const bool keyed = tag == 0 || tag == 2;
    return copy(dst, x, y, w, h, src, sx, sy, sw, sh, keyed, topixel(transparent & 0xFFFFFF));
}

} // extern "C"

extern "C" int WINAPI GetClipBox(HDC hdc, LPRECT rect) {
    Surf s;
    if (!getdc(hdc) || !rect) return 0;
    if (!surface(hdc, s)) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    *rect = RECT{0, 0, s.w, s.h};
    return SIMPLEREGION;
}
