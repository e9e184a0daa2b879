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

// The general case along the major axis: point t (t = 0 .. n) is
// (a1 + sa * t, b1 + sb * floor(t * m / n)), with 0 < m <= n; the error term
// after t steps is (t * m) mod n. Only the steps whose point can be on the
// surface are visited; they are plotted exactly as the whole walk would.
void walk(HDC hdc, i64 a1, i64 sa, i64 b1, i64 sb, i64 n, i64 m, bool xmajor, short color) {
    Reach r;
    if (!dg_reach(hdc, r)) return;
    i64 alo = xmajor ? r.x0 : r.y0, ahi = xmajor ? r.x1 : r.y1;
    i64 blo = xmajor ? r.y0 : r.x0, bhi = xmajor ? r.y1 : r.x1;
    // Both end points on the surface: so is every point between them, and
    // the whole walk runs as it stands (most lines, and every segment of a
    // circle on the screen).
    const i64 a2 = a1 + sa * n, b2 = b1 + sb * m;
    if (a1 >= alo && a1 <= ahi && a2 >= alo && a2 <= ahi && b1 >= blo && b1 <= bhi && b2 >= blo &&
        b2 <= bhi) {
        int a = (int)a1, b = (int)b1;
        i64 e = 0;
        for (i64 t = 0; t <= n; t++) {
            if (xmajor)
                dg_pset(hdc, a, b, color);
            else
                dg_pset(hdc, b, a, color);
            e += m;
            if (e >= n) {
                b += (int)sb;
                e -= n;
            }
            a += (int)sa;
        }
        return;
    }
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

// dg_line with end points of any size.
void line64(HDC hdc, i64 x1, i64 y1, i64 x2, i64 y2, short color) {
    i64 dx = x2 - x1, dy = y2 - y1;
    if (dx == 0) {
        dg_span(hdc, x1, y1 < y2 ? y1 : y2, (dy < 0 ? -dy : dy) + 1, false, color);
        return;
    }
    if (dy == 0) {
        dg_span(hdc, x1 < x2 ? x1 : x2, y1, (dx < 0 ? -dx : dx) + 1, true, color);
        return;
    }
    i64 sx = dx >= 0 ? 1 : -1, sy = dy >= 0 ? 1 : -1;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    if (dx > dy)
        walk(hdc, x1, sx, y1, sy, dx, dy, true, color);
    else
        walk(hdc, y1, sy, x1, sx, dy, dx, false, color);
}

} // namespace

extern "C" {

void dg_line(HDC hdc, int x1, int y1, int x2, int y2, short color) {
    line64(hdc, x1, y1, x2, y2, color);
}

void dg_circle(HDC hdc, int cx, int cy, int r, short color) {
    // The cosine and sine of every whole degree, worked out once.
    static const struct Turn {
        double c[360], s[360];
        Turn() {
            for (int d = 0; d < 360; d++) {
                double a = d * 3.1415926535 / 180.0;
                c[d] = std::cos(a);
                s[d] = std::sin(a);
            }
        }
    } turn;
    // The polygon starts and ends one pixel left of the rightmost point.
    const i64 sx = (i64)cx + r - 1, sy = cy;
    i64 px = sx, py = sy;
    for (int d = 1; d < 360; d++) {
        // Every value here lies within twice the 32-bit range, so the
        // truncation towards zero is exact in 64 bits.
        i64 nx = (i64)(cx + r * turn.c[d]);
        i64 ny = (i64)(cy + r * turn.s[d]);
        line64(hdc, px, py, nx, ny, color);
        px = nx;
        py = ny;
    }
    line64(hdc, px, py, sx, sy, color);
}

} // extern "C"
