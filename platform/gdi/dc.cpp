// Drawing surfaces: memory DCs, window DCs (handed out by GetDC), and what
// is selected into them. Selecting a brush and the clip box are inline
// (hot.h).
#include "gdi/hot.h"

namespace dgp {

namespace {
Dc *newdcobj(HDC *out) {
    initstock();
    Dc *d = new Dc;
    d->brush = (HBRUSH)stockobj[WHITE_BRUSH];
    d->brushpx = 0xFFFFFF;
    d->font = (HFONT)stockobj[SYSTEM_FONT];
    *out = (HDC)newhandle(Kind::dc, d);
    if (!*out) {
        delete d;
        return nullptr;
    }
    return d;
}
} // namespace

HDC newwindowdc(Presenter *presenter, Bitmap *pixels) {
    HDC h;
    Dc *d = newdcobj(&h);
    if (!d) return nullptr;
    d->presenter = presenter;
    retarget(d, pixels);
    return h;
}

HGDIOBJ selectother(Dc *d, Slot &s, HGDIOBJ obj) {
    const KindOps &ops = opsof(s.kind);
    return ops.select ? ops.select(d, s, obj) : nullptr;
}

void freedc(HDC h) {
    Dc *d = getdc(h);
    if (!d) return;
    if (Bitmap *b = getbitmap(d->bitmap)) b->selected--;
    delete d;
    freehandle(h);
}

} // namespace dgp

using namespace dgp;

extern "C" {

HDC WINAPI CreateCompatibleDC(HDC) {
    HDC h;
    Dc *d = newdcobj(&h);
    if (!d) return nullptr;
    d->bitmap = stockbitmap;
    retarget(d, getbitmap(stockbitmap));
    d->target->selected++;
    return h;
}

// A window's DC (from GetDC) is deleted as Windows deletes one of a class
// without a DC of its own: the handle is gone, the window and its pixels
// stay, and GetDC hands out another.
BOOL WINAPI DeleteDC(HDC hdc) {
    if (!getdc(hdc)) return FALSE;
    freedc(hdc);
    return TRUE;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
    Dc *d = getdc(hdc);
    if (!d) return nullptr;
    switch (type) {
    case OBJ_BRUSH:
        return d->brush;
    case OBJ_FONT:
        return d->font;
    case OBJ_BITMAP:
        return d->presenter ? (HGDIOBJ)stockbitmap : (HGDIOBJ)d->bitmap;
    }
    return nullptr;
}

} // extern "C"
