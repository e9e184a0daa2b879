// Straight lines with an error term that starts at zero, and circles as a
// closed polygon of 360 such lines.
#include "reach.h"

#include <algorithm>
#include <cmath>

namespace {

typedef __int128 i128;

template <class T> T floordiv(T a, T b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
template <class T> T ceildiv(T a, T b) { return -floordiv<T>(-a, b); }

// The steps t0 .. t1 whose minor offset floor(t * m / n) lies in [q0, q1],
// in T, which must hold (|q| + 1) * n.
template <class T> void minorrange(T q0, T q1, i64 n, i64 m, i128 &t0, i128 &t1) {
    t0 = std::max<i128>(t0, ceildiv<T>(q0 * n, m));
    t1 = std::min<i128>(t1, ceildiv<T>((q1 + 1) * n, m) - 1);
}

// The general case along the major axis, with at least one end point off
// the reach r: point t (t = 0 .. n) is (a1 + sa * t, b1 + sb * floor(t * m / n)),
// with 0 < m <= n; the error term after t steps is (t * m) mod n. Only the
// steps whose point can be on the surface are visited; they are plotted
// exactly as the whole walk would.
void walk(HDC hdc, const Reach &r, i64 a1, i64 sa, i64 b1, i64 sb, i64 n, i64 m, bool xmajor,
          short color) {
    i64 alo = xmajor ? r.x0 : r.y0, ahi = xmajor ? r.x1 : r.y1;
    i64 blo = xmajor ? r.y0 : r.x0, bhi = xmajor ? r.y1 : r.x1;
    // Steps whose major coordinate is in range.
    i128 t0 = 0, t1 = n;
    if (sa > 0) {
        t0 = std::max<i128>(t0, (i128)alo - a1);
        t1 = std::min<i128>(t1, (i128)ahi - a1);
    } else {
        t0 = std::max<i128>(t0, (i128)a1 - ahi);
        t1 = std::min<i128>(t1, (i128)a1 - alo);
    }
    // Steps whose minor offset q = floor(t * m / n) is in [q0, q1].
    i128 q0 = sb > 0 ? (i128)blo - b1 : (i128)b1 - bhi;
    i128 q1 = sb > 0 ? (i128)bhi - b1 : (i128)b1 - blo;
    // Lines on a screen stay far inside 64 bits; only far-off ones need 128.
    const i64 small = (i64)1 << 30;
    const bool fits = n < small && q0 > -small && q0 < small && q1 > -small && q1 < small;
    if (fits)
        minorrange<i64>((i64)q0, (i64)q1, n, m, t0, t1);
    else
        minorrange<i128>(q0, q1, n, m, t0, t1);
    if (t0 > t1) return;
    i64 t = (i64)t0;
    i64 q, e;
    if (fits) { // t <= n < 2^30 and m <= n
        q = floordiv<i64>(t * m, n);
        e = t * m - q * n;
    } else {
        q = (i64)floordiv<i128>((i128)t * m, n);
        e = (i64)((i128)t * m - (i128)q * n);
    }
    i64 a = a1 + sa * t, b = b1 + sb * q;
    for (; t <= (i64)t1; t++) {
        if (xmajor)
            dg_pset(hdc, (int)a, (int)b, color);
        else
            dg_pset(hdc, (int)b, (int)a, color);
        e += m;
        if (e >= n) {
            b += sb;
            e -= n;
        }
        a += sa;
    }
}

// dg_line with end points of any size, at least one of them off the reach r.
void line64(HDC hdc, const Reach &r, i64 x1, i64 y1, i64 x2, i64 y2, short color) {
    i64 dx = x2 - x1, dy = y2 - y1;
    if (dx == 0) {
        dg_span(hdc, r, x1, y1 < y2 ? y1 : y2, (dy < 0 ? -dy : dy) + 1, false, color);
        return;
    }
    if (dy == 0) {
        dg_span(hdc, r, x1 < x2 ? x1 : x2, y1, (dx < 0 ? -dx : dx) + 1, true, color);
        return;
    }
    i64 sx = dx >= 0 ? 1 : -1, sy = dy >= 0 ? 1 : -1;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    if (dx > dy)
        walk(hdc, r, x1, sx, y1, sy, dx, dy, true, color);
    else
        walk(hdc, r, y1, sy, x1, sx, dy, dx, false, color);
}

// dg_line with both end points in the reach, and so every point between
// them: the same pixels in the same order (a vertical or horizontal line
// from its top or left end, as a span, any other from (x1, y1) on), each
// drawn by pen. The commonest case by far (most lines, and every segment of
// a circle on the screen, one or two pixels long), so nothing here is done
// that a pixel does not need.
template <class Pen> inline void inside(const Pen &at, int x1, int y1, int x2, int y2) {
    // A copy of its own, which no call in the loop can change: its handle
    // and colour stay in registers instead of being read again every pixel.
    const Pen pen = at;
    i64 dx = (i64)x2 - x1, dy = (i64)y2 - y1;
    if (dx == 0) {
        const int y = y1 < y2 ? y1 : y2;
        for (i64 i = 0, n = dy < 0 ? -dy : dy; i <= n; i++) pen(x1, (int)(y + i));
        return;
    }
    if (dy == 0) {
        const int x = x1 < x2 ? x1 : x2;
        for (i64 i = 0, n = dx < 0 ? -dx : dx; i <= n; i++) pen((int)(x + i), y1);
        return;
    }
    const int sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    int x = x1, y = y1;
    i64 e = 0;
    if (dx > dy) {
        for (i64 i = 0; i <= dx; i++) {
            pen(x, y);
            e += dy;
            if (e >= dx) {
                y += sy;
                e -= dx;
            }
            x += sx;
        }
    } else {
        for (i64 i = 0; i <= dy; i++) {
            pen(x, y);
            e += dx;
            if (e >= dy) {
                x += sx;
                e -= dy;
            }
            y += sy;
        }
    }
}

template <class Pen>
void line(HDC hdc, const Reach &r, int x1, int y1, int x2, int y2, const Pen &pen, short color) {
    if (inreach(r, x1, y1) && inreach(r, x2, y2))
        inside(pen, x1, y1, x2, y2);
    else
        line64(hdc, r, x1, y1, x2, y2, color);
}

// The cosine and sine of every whole degree, worked out once.
struct Turn {
    double c[360], s[360];
    Turn() {
        for (int d = 0; d < 360; d++) {
            double a = d * 3.1415926535 / 180.0;
            c[d] = std::cos(a);
            s[d] = std::sin(a);
        }
    }
};
const Turn &turn() {
    static const Turn t;
    return t;
}

// The circle as a closed polygon of 360 lines through the whole degrees,
// each drawn as dg_line draws it; the polygon starts and ends one pixel left
// of the rightmost point.
template <class Pen>
void polygon(HDC hdc, const Reach &reach, int cx, int cy, int r, const Pen &pen, short color) {
    const Turn &t = turn();
    const i64 sx = (i64)cx + r - 1, sy = cy;
    i64 px = sx, py = sy;
    bool pin = inreach(reach, px, py);
    auto to = [&](i64 nx, i64 ny) {
        const bool nin = inreach(reach, nx, ny);
        if (pin && nin)
            inside(pen, (int)px, (int)py, (int)nx, (int)ny);
        else
            line64(hdc, reach, px, py, nx, ny, color);
        px = nx;
        py = ny;
        pin = nin;
    };
    // Every value here lies within twice the 32-bit range, so the
    // truncation towards zero is exact in 64 bits.
    for (int d = 1; d < 360; d++) to((i64)(cx + r * t.c[d]), (i64)(cy + r * t.s[d]));
    to(sx, sy);
}

} // namespace

// The surface's reach is looked up once per call, and the device colour once
// per call where every pixel is in the reach: neither can change while a
// line or a circle is drawn.
extern "C" {

void dg_line(HDC hdc, int x1, int y1, int x2, int y2, short color) {
    Reach r;
    if (!dg_reach(hdc, r)) return;
    if (bai == 1)
        line(hdc, r, x1, y1, x2, y2, Block{hdc, dg_color(color)}, color);
    else
        line(hdc, r, x1, y1, x2, y2, Dot{hdc, dg_color(color)}, color);
}

void dg_circle(HDC hdc, int cx, int cy, int r, short color) {
    Reach reach;
    if (!dg_reach(hdc, reach)) return;
    if (bai == 1)
        polygon(hdc, reach, cx, cy, r, Block{hdc, dg_color(color)}, color);
    else
        polygon(hdc, reach, cx, cy, r, Dot{hdc, dg_color(color)}, color);
}

} // extern "C"
