// Block transfers: BitBlt, StretchBlt and TransparentBlt. Each copy is
// clipped to both surfaces and planned here (same size, twice, half, or any
// stretch through the mapping of stretch.cpp); the rows are written by the
// kernels of rows.cpp. Coordinates are widened so no sum overflows.
//
// As on Windows: a stretched copy that shrinks combines the source pixels of
// one target pixel with AND (the default stretch mode), but a transparent
// copy takes one of them (TransparentBlt turns that mode into COLORONCOLOR):
// the last column and the first row of each group, as GDI's own walk keeps
// them. A transparent copy reads black where its source rectangle passes
// the bitmap (it copies through a work bitmap that starts black); a plain
// copy leaves the target as it was there.
//
// Mirroring, as Windows' own tests of StretchBlt pin it: an axis whose
// target and source lengths are both negative is not mirrored at all, the
// rectangles running back from their corners, [x + w, x) from [sx + sw, sx)
// (Wine mirrors both instead, over [x + w + 1, x + 1]); an axis with one
// length negative is mirrored over [x + w + 1, x + 1], and when its source
// passes the bitmap's edge, what is on the bitmap lands where an unmirrored
// copy would put it, inside the target rectangle asked for. BitBlt, of which
// those tests say nothing, copies a negative size as Wine does.
#include "gdi/hot.h"
#include "gdi/rows.h"

#include <algorithm>
#include <cstring>

using namespace dgp;

namespace {

typedef int64_t i64;

// The scratch memory of the kernels, kept from one copy to the next.
struct Scratch {
    std::vector<uint32_t> line, band, snap;
    std::vector<Span> xs, ys;
    ColumnMap cols;
    std::vector<int> pickrows, pickcols;
};
Scratch scratch;

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

// The same size in the same direction on both axes, between two surfaces:
// every target pixel takes the source pixel at the same offset, so the
// rectangle is clipped to both surfaces once and copied row by row.
void samesize(const Surf &d, i64 x, i64 y, i64 w, i64 h, const Surf &s, i64 sx, i64 sy,
              ColorKey key) {
    i64 x0, x1, y0, y1, sx0, sx1, sy0, sy1;
    bounds(x, w, x0, x1);
    bounds(y, h, y0, y1);
    bounds(sx, w, sx0, sx1);
    bounds(sy, h, sy0, sy1);
    // Offsets along the rectangle visible on both.
    const i64 a0 = std::max<i64>({0, -x0, -sx0}),
              a1 = std::min<i64>({x1 - x0, d.w - x0, s.w - sx0});
    const i64 b0 = std::max<i64>({0, -y0, -sy0}),
              b1 = std::min<i64>({y1 - y0, d.h - y0, s.h - sy0});
    if (a0 >= a1 || b0 >= b1) return;
    copyrows(d.px + (size_t)(y0 + b0) * d.w + (size_t)(x0 + a0), (size_t)d.w,
             s.px + (size_t)(sy0 + b0) * s.w + (size_t)(sx0 + a0), (size_t)s.w, (size_t)(a1 - a0),
             (size_t)(b1 - b0), key);
    drawn(d);
}

// Twice the source size on both axes, left to right and top down: target
// step k takes source step k / 2 (the centre of its span, as the general
// mapping finds it), and the target pixels whose source pixel is off the
// source surface stay as they are.
void twicesize(const Surf &d, i64 x, i64 y, i64 w, i64 h, const Surf &s, i64 sx, i64 sy,
               ColorKey key) {
    // Steps k on the target surface whose source pixel is on the source surface.
    const i64 kx0 = std::max<i64>({0, -x, -2 * sx}),
              kx1 = std::min<i64>({w, d.w - x, 2 * (s.w - sx)});
    const i64 ky0 = std::max<i64>({0, -y, -2 * sy}),
              ky1 = std::min<i64>({h, d.h - y, 2 * (s.h - sy)});
    if (kx0 >= kx1 || ky0 >= ky1) return;
    doublerows(d.px + (size_t)(y + ky0) * d.w + (size_t)(x + kx0), (size_t)d.w,
               s.px + (size_t)(sy + (ky0 >> 1)) * s.w + (size_t)(sx + (kx0 >> 1)), (size_t)s.w,
               (size_t)(kx1 - kx0), (size_t)(ky1 - ky0), kx0 & 1, ky0 & 1, key, scratch.line);
    drawn(d);
}

// Half the source size on both axes, left to right and top down, with the
// source rectangle on the source surface: target pixel k combines source
// pixels 2k and 2k + 1 of both axes with AND, or, with a key, takes the
// last column of their first row.
void halfsize(const Surf &d, i64 x, i64 y, i64 w, i64 h, const Surf &s, i64 sx, i64 sy,
              ColorKey key) {
    const i64 kx0 = std::max<i64>(0, -x), kx1 = std::min<i64>(w, d.w - x);
    const i64 ky0 = std::max<i64>(0, -y), ky1 = std::min<i64>(h, d.h - y);
    if (kx0 >= kx1 || ky0 >= ky1) return;
    uint32_t *out = d.px + (size_t)(y + ky0) * d.w + (size_t)(x + kx0);
    const uint32_t *in = s.px + (size_t)(sy + 2 * ky0) * s.w + (size_t)(sx + 2 * kx0);
    const size_t n = (size_t)(kx1 - kx0), rows = (size_t)(ky1 - ky0);
    if (key.on)
        halfkeyrows(out, (size_t)d.w, in, (size_t)s.w, n, rows, key.px);
    else
        halverows(out, (size_t)d.w, in, (size_t)s.w, n, rows);
    drawn(d);
}

// A copy within one surface reads from a snapshot of the source area
// [xa, xb] x [ya, yb]; between two it reads the source in place. Gives the
// pixel that stands for (xa, ya), and the pitch.
const uint32_t *sourcearea(const Surf &d, const Surf &s, int xa, int xb, int ya, int yb,
                           size_t &pitch) {
    if (s.px != d.px) {
        pitch = (size_t)s.w;
        return s.px + (size_t)ya * s.w + xa;
    }
    const size_t width = (size_t)(xb - xa + 1);
    std::vector<uint32_t> &snap = scratch.snap;
    snap.resize(width * (size_t)(yb - ya + 1));
    for (int r = ya; r <= yb; r++)
        std::memcpy(&snap[(size_t)(r - ya) * width], s.px + (size_t)r * s.w + xa, width * 4);
    pitch = width;
    return snap.data();
}

// The target pixels a copy may write: [x0, x1) x [y0, y1).
struct Area {
    i64 x0, x1, y0, y1;
};

// Drops the spans whose target pixel is outside [lo, hi).
void within(std::vector<Span> &v, i64 lo, i64 hi) {
    v.erase(
        std::remove_if(v.begin(), v.end(), [=](const Span &p) { return p.d < lo || p.d >= hi; }),
        v.end());
}

// Any other stretch, mirrored or not, within one surface or between two,
// writing only inside `area`.
void anysize(const Surf &d, i64 x, i64 y, i64 w, i64 h, const Surf &s, i64 sx, i64 sy, i64 sw,
             i64 sh, const Area &area) {
    std::vector<Span> &xs = scratch.xs, &ys = scratch.ys;
    stretchaxis(ys, y, h, d.h, sy, sh, s.h);
    within(ys, area.y0, area.y1);
    if (ys.empty()) return;
    stretchaxis(xs, x, w, d.w, sx, sw, s.w);
    within(xs, area.x0, area.x1);
    if (xs.empty()) return;

    // The source columns [xa, xb] and rows [ya, yb] any target pixel reads.
    int xa = s.w, xb = -1, ya = s.h, yb = -1;
    for (const Span &v : xs) xa = std::min(xa, v.lo), xb = std::max(xb, v.hi);
    for (const Span &v : ys) ya = std::min(ya, v.lo), yb = std::max(yb, v.hi);
    size_t spitch;
    const uint32_t *src = sourcearea(d, s, xa, xb, ya, yb, spitch);

    // The target columns run one by one (left to right, or right to left when
    // mirrored); in target order from the leftmost, each column's first source
    // pixel relative to xa and how many it combines.
    const size_t n = xs.size();
    const int dx0 = std::min(xs.front().d, xs.back().d);
    ColumnMap &cols = scratch.cols;
    cols.idx.resize(n);
    cols.cnt.resize(n);
    cols.single = true;
    for (size_t i = 0; i < n; i++) {
        const Span &c = xs[xs.front().d <= xs.back().d ? i : n - 1 - i];
        cols.idx[i] = c.lo - xa;
        cols.cnt[i] = c.hi - c.lo + 1;
        cols.single = cols.single && c.lo == c.hi;
    }
    maprows(d.px, (size_t)d.w, dx0, ys, src, spitch, ya, (size_t)(xb - xa + 1), cols, scratch.band);
    drawn(d);
}

// A transparent copy of any size, neither mirrored (TransparentBlt refuses
// that) nor necessarily with its source on the bitmap: one source pixel for
// each target pixel, black where it is off the bitmap.
void anykeyed(const Surf &d, i64 x, i64 y, i64 w, i64 h, const Surf &s, i64 sx, i64 sy, i64 sw,
              i64 sh, uint32_t key) {
    std::vector<Span> &xs = scratch.xs, &ys = scratch.ys;
    stretchaxis(ys, y, h, d.h, sy, sh, s.h, false);
    if (ys.empty()) return;
    stretchaxis(xs, x, w, d.w, sx, sw, s.w, false);
    if (xs.empty()) return;
    // The first row and the last column of each group; -1 off the bitmap.
    std::vector<int> &rows = scratch.pickrows, &cols = scratch.pickcols;
    rows.resize(ys.size());
    cols.resize(xs.size());
    int xa = s.w, xb = -1, ya = s.h, yb = -1;
    for (size_t i = 0; i < ys.size(); i++) {
        const int r = ys[i].lo;
        rows[i] = r >= 0 && r < s.h ? r : -1;
        if (rows[i] >= 0) ya = std::min(ya, r), yb = std::max(yb, r);
    }
    for (size_t i = 0; i < xs.size(); i++) {
        const int c = xs[i].hi;
        cols[i] = c >= 0 && c < s.w ? c : -1;
        if (cols[i] >= 0) xa = std::min(xa, c), xb = std::max(xb, c);
    }
    size_t spitch = 0;
    const uint32_t *src = nullptr;
    if (xa <= xb && ya <= yb) {
        src = sourcearea(d, s, xa, xb, ya, yb, spitch);
        for (int &r : rows) r = r < 0 ? -1 : r - ya;
        for (int &c : cols) c = c < 0 ? -1 : c - xa;
    } else { // nothing of the source is on the bitmap: all black
        std::fill(rows.begin(), rows.end(), -1);
    }
    pickrows(d.px, (size_t)d.w, xs.front().d, ys, rows, src, spitch, cols, key);
    drawn(d);
}

// Both lengths of one axis negative: the same rectangles given from their
// other corners, copied without mirroring.
void unmirror(i64 &d, i64 &dl, i64 &s, i64 &sl) {
    if (dl >= 0 || sl >= 0) return;
    d += dl;
    dl = -dl;
    s += sl;
    sl = -sl;
}

// One length of an axis negative (mirrored) and the source passing its
// bitmap's edge there: GDI clips the source to the bitmap first, maps what is
// left into the target rectangle as an unmirrored copy places it, and
// mirrors it there, so the target moves by dl - a - b, where [a, b) is that
// part in target steps; it still writes only inside the rectangle asked for.
// The test of the edge is Wine's (a mirrored source counts as passing on the
// right only from two pixels past it); Windows' tests pin a mirrored source
// passing the left edge and an unmirrored one passing the right edge into a
// mirrored target.
void unflip(i64 &d, i64 dl, i64 s, i64 sl, int sn) {
    if (dl == 0 || sl == 0 || (dl < 0) == (sl < 0)) return;
    i64 lo, hi;
    bounds(s, sl, lo, hi);
    const i64 vlo = std::max<i64>(lo, 0), vhi = std::min<i64>(hi, sn);
    if (vlo >= vhi) return; // nothing on the bitmap: nothing is copied
    const bool passes = lo < vlo || (sl < 0 ? s > vhi : hi > vhi);
    if (!passes) return;
    const i64 first = sl < 0 ? s + 1 : s; // where the source's steps are counted from
    i64 a = (vlo - first) * dl / sl, b = (vhi - first) * dl / sl;
    if (a > b) std::swap(a, b);
    d += dl - a - b;
}

// Copies (src, sx, sy, sw, sh) onto (dst, x, y, w, h), leaving out what the
// key says.
bool copy(HDC dst, i64 x, i64 y, i64 w, i64 h, HDC src, i64 sx, i64 sy, i64 sw, i64 sh,
          ColorKey key) {
    Dc *dd = getdc(dst), *sd = getdc(src);
    Surf d, s;
    if (!dd || !sd) return false;
    if (!surface(dd, d) || !surface(sd, s)) return true;
    unmirror(x, w, sx, sw);
    unmirror(y, h, sy, sh);
    // A target one pixel wide (or high) takes a longer source less its last
    // pixel, as GDI stretches.
    if (w == 1 && sw > 1) sw--;
    if (h == 1 && sh > 1) sh--;
    Area area;
    bounds(x, w, area.x0, area.x1);
    bounds(y, h, area.y0, area.y1);
    unflip(x, w, sx, sw, s.w);
    unflip(y, h, sy, sh, s.h);
    const bool apart = s.px != d.px;
    const bool inside = sx >= 0 && sy >= 0 && sx + sw <= s.w && sy + sh <= s.h;
    // The shapes with kernels of their own; a transparent copy of any other
    // shape, or with its source past the bitmap, takes one pixel at a time.
    const bool same = apart && w == sw && h == sh && w != 0 && h != 0;
    const bool twice = apart && w > 0 && h > 0 && w == 2 * sw && h == 2 * sh;
    const bool half = apart && w > 0 && h > 0 && sw == 2 * w && sh == 2 * h && inside;
    if (key.on && !(inside && (same || twice || half)))
        anykeyed(d, x, y, w, h, s, sx, sy, sw, sh, key.px);
    else if (same)
        samesize(d, x, y, w, h, s, sx, sy, key);
    else if (twice)
        twicesize(d, x, y, w, h, s, sx, sy, key);
    else if (half)
        halfsize(d, x, y, w, h, s, sx, sy, key);
    else
        anysize(d, x, y, w, h, s, sx, sy, sw, sh, area);
    return true;
}

// A transfer done: onto the window, the browser's turn when one is due.
BOOL turned(HDC dst, BOOL result) {
    if (const Dc *d = getdc(dst)) turnafter(d->presenter);
    return result;
}

} // namespace

extern "C" {

BOOL WINAPI BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
    if (rop != SRCCOPY) return PatBlt(dst, x, y, w, h, rop);
    // A negative size runs back from the corner over [x + w + 1, x + 1], as
    // Wine copies it: Windows' tests say nothing of BitBlt here.
    i64 X = x, Y = y, W = w, H = h, SX = sx, SY = sy;
    if (W < 0) X += W + 1, SX += W + 1, W = -W;
    if (H < 0) Y += H + 1, SY += H + 1, H = -H;
    return turned(dst, copy(dst, X, Y, W, H, src, SX, SY, W, H, ColorKey{}));
}

BOOL WINAPI StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                       DWORD rop) {
    if (rop != SRCCOPY) return PatBlt(dst, x, y, w, h, rop);
    return turned(dst, copy(dst, x, y, w, h, src, sx, sy, sw, sh, ColorKey{}));
}

BOOL WINAPI TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw,
                           int sh, UINT transparent) {
    if (w < 0 || h < 0 || sw < 0 || sh < 0) return FALSE;
    return turned(
        dst, copy(dst, x, y, w, h, src, sx, sy, sw, sh, ColorKey{true, colorpixel(transparent)}));
}

} // extern "C"
