// Pattern fills, single pixels and block copies on 32-bit surfaces. Every
// operation clips to its surfaces before it loops, so a rectangle far outside
// costs nothing, and coordinates are widened so no sum overflows.
//
// Stretching follows GDI's default mode: each target pixel takes the source
// pixel at the centre of its span, and when shrinking, the source pixels that
// fall on one target pixel are combined with AND.
#include "objects.h"

#include <algorithm>
#include <cstdlib>
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

// n pixels of one colour from p on.
inline void setrun(uint32_t *p, size_t n, uint32_t px) {
#if defined(__GNUC__) && defined(__x86_64__)
    if (n >= 256) {
        // The string store fills as fast as memset does, for any pattern.
        asm volatile("rep stosl" : "+D"(p), "+c"(n) : "a"(px) : "memory");
        return;
    }
#endif
    std::fill(p, p + n, px);
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
    const size_t n = (size_t)(x1 - x0), pitch = (size_t)s.w;
    uint32_t *p = s.px + (size_t)y0 * pitch + (size_t)x0;
    if (n == 2) {
        for (i64 r = y0; r < y1; r++, p += pitch) p[0] = p[1] = px;
    } else if (n == pitch) {
        setrun(p, n * (size_t)(y1 - y0), px); // whole rows: one run
    } else {
        for (i64 r = y0; r < y1; r++, p += pitch) setrun(p, n, px);
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
// the target surface are visited. Target step k takes the source step at the
// centre of its span, floor((2k + 1) * slen / (2 * dlen)); when shrinking, the
// source steps j with floor((2j + 1) * dlen / (2 * slen)) = k. Both are walked
// with a remainder from the first visible step on, so no step divides.
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
    if (k0 > k1) return;
    out.reserve((size_t)(k1 - k0 + 1));
    const i64 D = 2 * dlen;
    auto emit = [&](i64 k, i64 j0, i64 j1) {
        i64 a = s + sdir * j0, b = s + sdir * j1;
        if (a > b) std::swap(a, b);
        a = std::max<i64>(a, 0);
        b = std::min<i64>(b, (i64)sn - 1);
        if (a <= b) out.push_back({(int)(d + ddir * k), (int)a, (int)b});
    };
    if (dlen >= slen) {
        // j = floor(n / D) for n = (2k + 1) * slen, kept as j and n mod D.
        const __int128 n0 = (__int128)(2 * k0 + 1) * slen;
        i64 j = (i64)(n0 / D), r = (i64)(n0 % D);
        const i64 inc = 2 * slen; // at most D: j grows by 0 or 1 a step
        for (i64 k = k0; k <= k1; k++) {
            emit(k, j, j);
            r += inc;
            if (r >= D) {
                r -= D;
                j++;
            }
        }
        return;
    }
    // first(k) = ceil((2k * slen - dlen) / D), kept as q and q * D - n.
    const __int128 n0 = (__int128)2 * k0 * slen - dlen;
    i64 q = (i64)ceildiv(n0, D), r = (i64)((__int128)q * D - n0);
    const i64 qi = (2 * slen) / D, ri = (2 * slen) % D;
    for (i64 k = k0; k <= k1; k++) {
        i64 nq = q + qi, nr = r - ri;
        if (nr < 0) {
            nr += D;
            nq++;
        }
        emit(k, std::max<i64>(q, 0), std::min<i64>(nq - 1, slen - 1));
        q = nq;
        r = nr;
    }
}

// One target row: source pixels t[idx[i]] (and, where cnt[i] > 1, the next
// cnt[i] - 1 combined with AND) to out[i]; with `keyed`, results equal to
// `key` are left out.
template <bool keyed>
void row(uint32_t *out, const uint32_t *t, const int *idx, const int *cnt, size_t n, bool single,
         uint32_t key) {
    if (single) {
        for (size_t i = 0; i < n; i++) {
            const uint32_t v = t[idx[i]] & 0xFFFFFF;
            if (keyed)
                out[i] = v == key ? out[i] : v;
            else
                out[i] = v;
        }
        return;
    }
    for (size_t i = 0; i < n; i++) {
        const uint32_t *p = t + idx[i];
        uint32_t v = p[0];
        for (int c = 1; c < cnt[i]; c++) v &= p[c];
        v &= 0xFFFFFF;
        if (!keyed || v != key) out[i] = v;
    }
}

// Rows of n pixels, one to one; with `keyed`, source pixels equal to `key`
// are left out.
void translate(uint32_t *out, size_t opitch, const uint32_t *in, size_t ipitch, size_t n,
               size_t rows, bool keyed, uint32_t key) {
    if (!keyed) {
        if (n == opitch && n == ipitch) {
            std::memcpy(out, in, n * rows * 4); // whole rows: one block
            return;
        }
        for (size_t r = 0; r < rows; r++, out += opitch, in += ipitch) std::memcpy(out, in, n * 4);
        return;
    }
    for (size_t r = 0; r < rows; r++, out += opitch, in += ipitch)
        for (size_t i = 0; i < n; i++) {
            const uint32_t v = in[i] & 0xFFFFFF;
            out[i] = v == key ? out[i] : v;
        }
}

// One row of target pixels from a row that was built for it: copied, or with
// `keyed` only where the pixel is not `key`.
inline void putrow(uint32_t *out, const uint32_t *in, size_t n, bool keyed, uint32_t key) {
    if (!keyed) {
        std::memcpy(out, in, n * 4);
        return;
    }
    for (size_t i = 0; i < n; i++) out[i] = in[i] == key ? out[i] : in[i];
}

// Twice the source size on both axes, left to right and top down: target
// step k takes source step k / 2 (the centre of its span, as the general walk
// finds it), and the target pixels whose source pixel is off the source
// surface stay as they are.
void doubled(const Surf &d, i64 x, i64 y, i64 w, i64 h, const Surf &s, i64 sx, i64 sy, bool keyed,
             uint32_t key) {
    // Steps k on the target surface whose source pixel is on the source surface.
    const i64 kx0 = std::max<i64>({0, -x, -2 * sx}),
              kx1 = std::min<i64>({w, d.w - x, 2 * (s.w - sx)});
    const i64 ky0 = std::max<i64>({0, -y, -2 * sy}),
              ky1 = std::min<i64>({h, d.h - y, 2 * (s.h - sy)});
    if (kx0 >= kx1 || ky0 >= ky1) return;
    const size_t n = (size_t)(kx1 - kx0);
    static std::vector<uint32_t> line;
    line.resize(n);
    uint32_t *tmp = line.data();
    i64 built = -1; // the source row `line` holds
    for (i64 k = ky0; k < ky1; k++) {
        const i64 r = sy + (k >> 1);
        if (r != built) {
            const uint32_t *p = s.px + (size_t)r * s.w + (size_t)(sx + (kx0 >> 1));
            size_t i = 0;
            if (kx0 & 1) tmp[i++] = *p++ & 0xFFFFFF;
            for (; i + 2 <= n; i += 2, p++) tmp[i] = tmp[i + 1] = *p & 0xFFFFFF;
            if (i < n) tmp[i] = *p & 0xFFFFFF;
            built = r;
        }
        putrow(d.px + (size_t)(y + k) * d.w + (size_t)(x + kx0), tmp, n, keyed, key);
    }
    drawn(d);
}

// Half the source size on both axes, left to right and top down, with the
// source rectangle on the source surface: target pixel k combines source
// pixels 2k and 2k + 1 of both axes with AND.
void halved(const Surf &d, i64 x, i64 y, i64 w, i64 h, const Surf &s, i64 sx, i64 sy, bool keyed,
            uint32_t key) {
    const i64 kx0 = std::max<i64>(0, -x), kx1 = std::min<i64>(w, d.w - x);
    const i64 ky0 = std::max<i64>(0, -y), ky1 = std::min<i64>(h, d.h - y);
    if (kx0 >= kx1 || ky0 >= ky1) return;
    const size_t n = (size_t)(kx1 - kx0);
    static std::vector<uint32_t> line;
    line.resize(n);
    uint32_t *tmp = line.data();
    for (i64 k = ky0; k < ky1; k++) {
        const uint32_t *a = s.px + (size_t)(sy + 2 * k) * s.w + (size_t)(sx + 2 * kx0);
        const uint32_t *b = a + s.w;
        for (size_t i = 0; i < n; i++)
            tmp[i] = a[2 * i] & a[2 * i + 1] & b[2 * i] & b[2 * i + 1] & 0xFFFFFF;
        putrow(d.px + (size_t)(y + k) * d.w + (size_t)(x + kx0), tmp, n, keyed, key);
    }
    drawn(d);
}

// Copies (src, sx, sy, sw, sh) onto (dst, x, y, w, h); with `keyed`, source
// results equal to `key` are left out.
bool copy(HDC dst, i64 x, i64 y, i64 w, i64 h, HDC src, i64 sx, i64 sy, i64 sw, i64 sh, bool keyed,
          uint32_t key) {
    Dc *dd = getdc(dst), *sd = getdc(src);
    Surf d, s;
    if (!dd || !sd) return false;
    if (!surface(dd, d) || !surface(sd, s)) return true;

    // The same size in the same direction on both axes, between two surfaces:
    // every target pixel takes the source pixel at the same offset, so the
    // rectangle is clipped to both surfaces once and copied row by row.
    if (w == sw && h == sh && w != 0 && h != 0 && s.px != d.px) {
        i64 x0, x1, y0, y1, sx0, sx1, sy0, sy1;
        bounds(x, w, x0, x1);
        bounds(y, h, y0, y1);
        bounds(sx, sw, sx0, sx1);
        bounds(sy, sh, sy0, sy1);
        // Offsets along the rectangle visible on both.
        const i64 a0 = std::max<i64>({0, -x0, -sx0}),
                  a1 = std::min<i64>({x1 - x0, d.w - x0, s.w - sx0});
        const i64 b0 = std::max<i64>({0, -y0, -sy0}),
                  b1 = std::min<i64>({y1 - y0, d.h - y0, s.h - sy0});
        if (a0 >= a1 || b0 >= b1) return true;
        translate(d.px + (size_t)(y0 + b0) * d.w + (size_t)(x0 + a0), (size_t)d.w,
                  s.px + (size_t)(sy0 + b0) * s.w + (size_t)(sx0 + a0), (size_t)s.w,
                  (size_t)(a1 - a0), (size_t)(b1 - b0), keyed, key);
        drawn(d);
        return true;
    }

    if (s.px != d.px && w > 0 && h > 0 && w == 2 * sw && h == 2 * sh) {
        doubled(d, x, y, w, h, s, sx, sy, keyed, key);
        return true;
    }
    if (s.px != d.px && w > 0 && h > 0 && sw == 2 * w && sh == 2 * h && sx >= 0 && sy >= 0 &&
        sx + sw <= s.w && sy + sh <= s.h) {
        halved(d, x, y, w, h, s, sx, sy, keyed, key);
        return true;
    }

    static std::vector<Span> xs, ys;
    axis(ys, y, h, d.h, sy, sh, s.h);
    if (ys.empty()) return true;
    axis(xs, x, w, d.w, sx, sw, s.w);
    if (xs.empty()) return true;

    // The source columns [xa, xb] and rows [ya, yb] any target pixel reads.
    int xa = s.w, xb = -1, ya = s.h, yb = -1;
    for (const Span &v : xs) xa = std::min(xa, v.lo), xb = std::max(xb, v.hi);
    for (const Span &v : ys) ya = std::min(ya, v.lo), yb = std::max(yb, v.hi);

    // A copy within one surface reads from a snapshot of the source area.
    static std::vector<uint32_t> snap;
    const uint32_t *sp = s.px;
    size_t spitch = (size_t)s.w;
    int ox = 0, oy = 0;
    if (s.px == d.px) {
        spitch = (size_t)(xb - xa + 1);
        snap.resize(spitch * (size_t)(yb - ya + 1));
        for (int r = ya; r <= yb; r++)
            std::memcpy(&snap[(size_t)(r - ya) * spitch], s.px + (size_t)r * s.w + xa, spitch * 4);
        sp = snap.data();
        ox = xa;
        oy = ya;
    }

    // The target columns run one by one (left to right, or right to left when
    // mirrored); in target order from the leftmost, each column's first source
    // pixel relative to xa and how many it combines.
    const size_t n = xs.size();
    const int dx0 = std::min(xs.front().d, xs.back().d);
    static std::vector<int> idx, cnt;
    idx.resize(n);
    cnt.resize(n);
    bool single = true;
    for (size_t i = 0; i < n; i++) {
        const Span &c = xs[xs.front().d <= xs.back().d ? i : n - 1 - i];
        idx[i] = c.lo - xa;
        cnt[i] = c.hi - c.lo + 1;
        single = single && c.lo == c.hi;
    }

    // Each target row reads one source row, or the AND of several.
    static std::vector<uint32_t> band;
    band.resize((size_t)(xb - xa + 1));
    const Span *prev = nullptr;
    for (const Span &r : ys) {
        uint32_t *out = d.px + (size_t)r.d * d.w + dx0;
        // A row that reads what the row before read, without leaving anything
        // out, comes out the same: copied.
        if (!keyed && prev && prev->lo == r.lo && prev->hi == r.hi &&
            std::abs(prev->d - r.d) == 1) {
            std::memcpy(out, d.px + (size_t)prev->d * d.w + dx0, n * 4);
            prev = &r;
            continue;
        }
        const uint32_t *t = sp + (size_t)(r.lo - oy) * spitch + (xa - ox);
        if (r.hi > r.lo) {
            std::memcpy(band.data(), t, band.size() * 4);
            for (int q = r.lo + 1; q <= r.hi; q++) {
                const uint32_t *in = sp + (size_t)(q - oy) * spitch + (xa - ox);
                for (size_t i = 0; i < band.size(); i++) band[i] &= in[i];
            }
            t = band.data();
        }
        if (keyed)
            row<true>(out, t, idx.data(), cnt.data(), n, single, key);
        else
            row<false>(out, t, idx.data(), cnt.data(), n, single, key);
        prev = &r;
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

__attribute__((noinline)) BOOL patblt(Dc *dc, int x, int y, int w, int h, DWORD rop) {
    uint32_t px;
    if (!dc || !patpixel(dc, rop, px)) return FALSE;
    Surf s;
    if (surface(dc, s)) fill(s, x, y, w, h, px);
    return TRUE;
}

} // namespace

extern "C" {

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    Dc *dc = getdc(hdc);
    if (dc && rop == PATCOPY && w == 2 && h == 2) {
        // A pixel at double size, wholly on the surface: the hottest fill.
        const Bitmap *t = dc->target;
        if (t && x >= 0 && y >= 0 && x < t->w - 1 && y < t->h - 1) {
            const uint32_t px = dc->brushpx;
            const size_t pitch = (size_t)t->w;
            uint32_t *p = const_cast<uint32_t *>(t->px.data()) + (size_t)y * pitch + x;
            p[0] = p[1] = px;
            p[pitch] = p[pitch + 1] = px;
            drawnon(dc->drawing);
            return TRUE;
        }
    }
    return patblt(dc, x, y, w, h, rop);
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    Dc *dc = getdc(hdc);
    if (!dc) return CLR_INVALID;
    color &= 0xFFFFFF;
    const Bitmap *t = dc->target;
    // Unsigned, a negative coordinate is past every edge too.
    if (!t || (unsigned)x >= (unsigned)t->w || (unsigned)y >= (unsigned)t->h) return color;
    const_cast<uint32_t *>(t->px.data())[(size_t)y * (size_t)t->w + (size_t)x] = topixel(color);
    drawnon(dc->drawing);
    return color;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    Dc *dc = getdc(hdc);
    const Bitmap *t = dc ? dc->target : nullptr;
    if (!t || (unsigned)x >= (unsigned)t->w || (unsigned)y >= (unsigned)t->h) return CLR_INVALID;
    return tocolor(t->px[(size_t)y * (size_t)t->w + (size_t)x]);
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
    Dc *dc = getdc(hdc);
    if (!dc || !rect) return 0;
    const Bitmap *t = dc->target;
    if (!t || t->w <= 0 || t->h <= 0) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    *rect = RECT{0, 0, t->w, t->h};
    return SIMPLEREGION;
}
