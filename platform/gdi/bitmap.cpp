// Bitmaps: CreateCompatibleBitmap, GetObjectA, and how a bitmap is selected
// into a memory DC and deleted.
#include "gdi/bitmap.h"
#include "gdi/dc.h"
#include "gdi/stock.h"

#include <cstring>

namespace dgp {

HBITMAP newbitmap(int w, int h) {
    Bitmap *b = new Bitmap;
    b->w = w;
    b->h = h;
    b->px.assign((size_t)w * (size_t)h, 0);
    HBITMAP hb = (HBITMAP)newhandle(Kind::bitmap, b);
    if (!hb) delete b;
    return hb;
}

namespace {

HGDIOBJ selectbitmap(Dc *d, Slot &s, HGDIOBJ obj) {
    Bitmap *b = static_cast<Bitmap *>(s.obj);
    if (d->presenter) return nullptr;                      // a window DC draws on its window
    if (obj == d->bitmap) return obj;                      // already there
    if (b->selected && obj != stockbitmap) return nullptr; // held by another DC
    HGDIOBJ old = d->bitmap;
    if (Bitmap *ob = getbitmap(d->bitmap)) ob->selected--;
    b->selected++;
    d->bitmap = (HBITMAP)obj;
    retarget(d, b);
    return old;
}

bool destroybitmap(Slot &s) {
    Bitmap *b = static_cast<Bitmap *>(s.obj);
    if (b->selected) return false; // stays usable through its DC
    delete b;
    return true;
}

[[maybe_unused]] const bool registered = registerkind(Kind::bitmap, {selectbitmap, destroybitmap});

} // namespace

} // namespace dgp

using namespace dgp;

extern "C" {

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int w, int h) {
    initstock();
    if (!getdc(hdc) || w < 0 || h < 0) return nullptr;
    if (w == 0 || h == 0) return newbitmap(1, 1);
    if ((uint64_t)w * (uint64_t)h > maxbitmappixels) return nullptr;
    return newbitmap(w, h);
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

} // extern "C"
