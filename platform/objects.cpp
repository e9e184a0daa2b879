// The handle table and the GDI objects that need nothing but memory: brushes,
// memory DCs and bitmaps, selection and deletion.
#include "objects.h"

#include <cstring>

namespace dgp {

std::vector<Slot> &slots = *new std::vector<Slot>;
Slot *table = nullptr;
uint32_t tablesize = 0;
uint32_t freelist = 0;

bool growtable() {
    if (slots.size() + 1 >= (size_t(1) << idxbits)) return false;
    if (slots.capacity() == slots.size()) slots.reserve(slots.size() * 2 + 64);
    slots.emplace_back();
    table = slots.data();
    tablesize = (uint32_t)slots.size();
    table[tablesize - 1].nextfree = freelist;
    freelist = tablesize;
    return true;
}

// Stock objects: created once, never freed.
static HGDIOBJ stockobj[32];
static HBITMAP stockbitmap; // the 1 x 1 bitmap a new memory DC holds

static void *newstock(Kind kind, void *obj) {
    Slot *s;
    void *h = newhandle(kind, obj, &s);
    if (h) s->stock = true;
    return h;
}

// Every fill makes and deletes a brush: a slot from the free list, no
// allocation.
static inline HBRUSH newbrush(COLORREF c) {
    Slot *s;
    void *h = newhandle(Kind::brush, nullptr, &s);
    if (!h) return nullptr;
    s->color = c & 0xFFFFFF;
    s->pixel = topixel(c & 0xFFFFFF);
    return (HBRUSH)h;
}

static __attribute__((noinline, cold)) void makestock() {
    stockbitmap = newbitmap(1, 1);
    lookup(stockbitmap, Kind::bitmap)->stock = true;
    const COLORREF brushes[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
    for (int i = 0; i < 5; i++) {
        stockobj[i] = newbrush(brushes[i]);
        lookup(stockobj[i], Kind::brush)->stock = true;
    }
    stockobj[NULL_BRUSH] = newbrush(0); // drawn with nothing, never used for fills here
    lookup(stockobj[NULL_BRUSH], Kind::brush)->stock = true;
    for (int i : {10, 11, 12, 13, 14, 16, 17}) stockobj[i] = newstock(Kind::font, nullptr);
}

static inline void initstock() {
    if (__builtin_expect(!stockbitmap, 0)) makestock();
}

HBITMAP newbitmap(int w, int h) {
    Bitmap *b = new Bitmap;
    b->w = w;
    b->h = h;
    b->px.assign((size_t)w * (size_t)h, 0);
    HBITMAP hb = (HBITMAP)newhandle(Kind::bitmap, b);
    if (!hb) delete b;
    return hb;
}

static Dc *newdcobj(HDC *out) {
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

HDC newwindowdc(Window *win, Drawing *drawing, Bitmap *pixels) {
    HDC h;
    Dc *d = newdcobj(&h);
    if (!d) return nullptr;
    d->win = win;
    d->drawing = drawing;
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

static __attribute__((noinline)) HBRUSH firstbrush(COLORREF color) {
    initstock();
    return newbrush(color);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    // Past the first use, with a free slot, nothing is called.
    if (__builtin_expect(!stockbitmap || !freelist, 0)) return firstbrush(color);
    return newbrush(color);
}

HGDIOBJ WINAPI GetStockObject(int index) {
    initstock();
    if (index < 0 || index >= 32) return nullptr;
    return stockobj[index];
}

HDC WINAPI CreateCompatibleDC(HDC) {
    HDC h;
    Dc *d = newdcobj(&h);
    if (!d) return nullptr;
    d->bitmap = stockbitmap;
    d->target = getbitmap(stockbitmap);
    d->target->selected++;
    return h;
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int w, int h) {
    initstock();
    if (!getdc(hdc) || w < 0 || h < 0) return nullptr;
    if (w == 0 || h == 0) return newbitmap(1, 1);
    // Refuse what no screen-compatible bitmap could be: over 256 MB of pixels.
    if ((uint64_t)w * (uint64_t)h > (uint64_t(1) << 26)) return nullptr;
    return newbitmap(w, h);
}

BOOL WINAPI DeleteDC(HDC hdc) {
    Dc *d = getdc(hdc);
    if (!d || d->win) return FALSE; // a window's DC goes back through ReleaseDC
    freedc(hdc);
    return TRUE;
}

static HGDIOBJ __attribute__((noinline)) selectother(Dc *d, Slot *s, HGDIOBJ obj) {
    switch (s->kind) {
    case Kind::font: {
        HGDIOBJ old = d->font;
        d->font = (HFONT)obj;
        return old;
    }
    case Kind::bitmap: {
        Bitmap *b = static_cast<Bitmap *>(s->obj);
        if (d->win) return nullptr;                            // a window DC draws on its window
        if (obj == d->bitmap) return obj;                      // already there
        if (b->selected && obj != stockbitmap) return nullptr; // held by another DC
        HGDIOBJ old = d->bitmap;
        if (Bitmap *ob = getbitmap(d->bitmap)) ob->selected--;
        b->selected++;
        d->bitmap = (HBITMAP)obj;
        d->target = b;
        return old;
    }
    default:
        return nullptr;
    }
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ obj) {
    Dc *d = getdc(hdc);
    Slot *s = lookup(obj);
    if (!d || !s) return nullptr;
    if (s->kind != Kind::brush) return selectother(d, s, obj);
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
        return d->win ? (HGDIOBJ)stockbitmap : (HGDIOBJ)d->bitmap;
    }
    return nullptr;
}

static BOOL __attribute__((noinline)) deleteother(Slot *s, HGDIOBJ obj) {
    switch (s->kind) {
    case Kind::brush:
        break;
    case Kind::font:
        fontfree(static_cast<Font *>(s->obj));
        break;
    case Kind::bitmap: {
        Bitmap *b = static_cast<Bitmap *>(s->obj);
        if (b->selected) return FALSE; // stays usable through its DC
        delete b;
        break;
    }
    default:
        return FALSE;
    }
    freehandle(obj);
    return TRUE;
}

BOOL WINAPI DeleteObject(HGDIOBJ obj) {
    Slot *s = lookup(obj);
    if (!s) return FALSE;
    if (s->stock) return s->kind == Kind::brush || s->kind == Kind::font || s->kind == Kind::bitmap;
    if (s->kind != Kind::brush) return deleteother(s, obj);
    freehandle(obj);
    return TRUE;
}

int WINAPI GetObjectA(HGDIOBJ obj, int size, LPVOID out) {
    Bitmap *b = getbitmap((HBITMAP)obj);
    if (!b) return 0;
    if (!out) return (int)sizeof(BITMAP);
    if (size < (int)sizeof(BITMAP)) return 0;
    BITMAP bm = {0, b->w, b->h, b->w * 4, 1, 32, b->px.data()};
    std::memcpy(out, &bm, sizeof bm);
    return (int)sizeof bm;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    Dc *d = getdc(hdc);
    if (!d) return CLR_INVALID;
    COLORREF old = d->text;
    d->text = color & 0xFFFFFF;
    return old;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
    Dc *d = getdc(hdc);
    return d ? d->text : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    Dc *d = getdc(hdc);
    if (!d) return CLR_INVALID;
    COLORREF old = d->bk;
    d->bk = color & 0xFFFFFF;
    return old;
}

COLORREF WINAPI GetBkColor(HDC hdc) {
    Dc *d = getdc(hdc);
    return d ? d->bk : CLR_INVALID;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    Dc *d = getdc(hdc);
    if (!d || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
    int old = d->bkmode;
    d->bkmode = mode;
    return old;
}

int WINAPI GetBkMode(HDC hdc) {
    Dc *d = getdc(hdc);
    return d ? d->bkmode : 0;
}

} // extern "C"
