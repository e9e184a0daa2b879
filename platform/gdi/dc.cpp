// Drawing surfaces: memory DCs, window DCs (handed out by GetDC), what is
// selected into them, and their clip box.
#include "gdi/dc.h"
#include "gdi/stock.h"

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
    d->target = pixels;
    return h;
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
    d->target = getbitmap(stockbitmap);
    d->target->selected++;
    return h;
}

BOOL WINAPI DeleteDC(HDC hdc) {
    Dc *d = getdc(hdc);
    if (!d || d->presenter) return FALSE; // a window's DC goes back through ReleaseDC
    freedc(hdc);
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ obj) {
    Dc *d = getdc(hdc);
    Slot *s = lookup(obj);
    if (!d || !s) return nullptr;
    if (s->kind != Kind::brush) {
        const KindOps &ops = opsof(s->kind);
        return ops.select ? ops.select(d, *s, obj) : nullptr;
    }
    // Every fill selects a brush: its colour is kept as a pixel beside it.
    HGDIOBJ old = d->brush;
    d->brush = (HBRUSH)obj;
    d->brushpx = s->pixel;
    return old;
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

int WINAPI GetClipBox(HDC hdc, LPRECT rect) {
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

} // extern "C"
