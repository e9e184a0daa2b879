// Pixels, spans, boxes and clearing, in palette colours under the scale rule.
#include "reach.h"

namespace {

// The inclusive range of logical coordinates whose pixels fall on the device
// range [lo, hi) at scale k.
void logical(i64 lo, i64 hi, int k, i64 &a, i64 &b) {
    if (k == 2) {
        a = lo >= 0 ? lo / 2 : -((-lo + 1) / 2); // floor(lo / 2)
        i64 t = hi - 1;
        b = t >= 0 ? t / 2 : -((-t + 1) / 2);
    } else {
        a = lo;
        b = hi - 1;
    }
}

} // namespace

bool dg_reach(HDC hdc, Reach &r) {
    RECT box;
    if (GetClipBox(hdc, &box) == 0 || box.right <= box.left || box.bottom <= box.top) return false;
    const int k = dg_scale();
    logical(box.left, box.right, k, r.x0, r.x1);
    logical(box.top, box.bottom, k, r.y0, r.y1);
    return r.x0 <= r.x1 && r.y0 <= r.y1;
}

void dg_span(HDC hdc, i64 x, i64 y, i64 len, bool horizontal, short color) {
    if (len <= 0) return;
    Reach r;
    if (dg_reach(hdc, r)) dg_span(hdc, r, x, y, len, horizontal, color);
}

void dg_span(HDC hdc, const Reach &r, i64 x, i64 y, i64 len, bool horizontal, short color) {
    if (len <= 0) return;
    // Along the span: a, b, the range it may touch; across it: c.
    i64 a = horizontal ? r.x0 : r.y0, b = horizontal ? r.x1 : r.y1;
    i64 c = horizontal ? y : x, c0 = horizontal ? r.y0 : r.x0, c1 = horizontal ? r.y1 : r.x1;
    if (c < c0 || c > c1) return;
    i64 start = horizontal ? x : y;
    i64 i0 = a - start > 0 ? a - start : 0;
    i64 i1 = b - start < len - 1 ? b - start : len - 1;
    for (i64 i = i0; i <= i1; i++) {
        if (horizontal)
            dg_pset(hdc, (int)(x + i), (int)y, color);
        else
            dg_pset(hdc, (int)x, (int)(y + i), color);
    }
}

extern "C" {

void dg_pset(HDC hdc, int x, int y, short color) {
    if (bai == 1) {
        i64 dx = (i64)x * 2, dy = (i64)y * 2;
        // A block whose far corner passes the 32-bit range lies on no surface.
        if (dx > INT_MAX - 1 || dy > INT_MAX - 1) return;
        dg_fill(hdc, (int)dx, (int)dy, 2, 2, dg_color(color));
    } else {
        SetPixel(hdc, x, y, dg_color(color));
    }
}

COLORREF dg_pget(HDC hdc, int x, int y) {
    if (bai == 1) {
        i64 dx = (i64)x * 2, dy = (i64)y * 2;
        if (!fits32(dx) || !fits32(dy)) return CLR_INVALID;
        return GetPixel(hdc, (int)dx, (int)dy);
    }
    return GetPixel(hdc, x, y);
}

void dg_xline(HDC hdc, int x, int y, int width, short color) {
    dg_span(hdc, x, y, width, true, color);
}

void dg_yline(HDC hdc, int x, int y, int height, short color) {
    dg_span(hdc, x, y, height, false, color);
}

void dg_box(HDC hdc, int x, int y, int width, int height, int paintflg, short color) {
    if (paintflg) {
        const int k = dg_scale();
        i64 dx = (i64)x * k, dy = (i64)y * k, dw = (i64)width * k, dh = (i64)height * k;
        if (fits32(dx) && fits32(dy) && fits32(dw) && fits32(dh) && fits32(dx + dw) &&
            fits32(dy + dh)) {
            dg_fill(hdc, (int)dx, (int)dy, (int)dw, (int)dh, dg_color(color));
            return;
        }
        // Past the 32-bit range: the same pixels, as a rectangle of positive
        // size trimmed to the range every surface lies in (a negative size
        // runs from the corner back, as the fill itself counts it).
        i64 x0 = dw >= 0 ? dx : dx + dw + 1, x1 = dw >= 0 ? dx + dw : dx + 1;
        i64 y0 = dh >= 0 ? dy : dy + dh + 1, y1 = dh >= 0 ? dy + dh : dy + 1;
        const i64 lo = 0, hi = INT_MAX; // no surface reaches past either
        x0 = x0 < lo ? lo : x0;
        y0 = y0 < lo ? lo : y0;
        x1 = x1 > hi ? hi : x1;
        y1 = y1 > hi ? hi : y1;
        if (x0 >= x1 || y0 >= y1) return;
        dg_fill(hdc, (int)x0, (int)y0, (int)(x1 - x0), (int)(y1 - y0), dg_color(color));
        return;
    }
    dg_span(hdc, x, y, width, true, color);
    dg_span(hdc, x, (i64)y + height - 1, width, true, color);
    dg_span(hdc, x, y, height, false, color);
    dg_span(hdc, (i64)x + width - 1, y, height, false, color);
}

void dg_gcls(HDC hdc, short color) { dg_fill(hdc, 0, 0, fixedwidth, fixedheight, dg_color(color)); }

} // extern "C"
