// Stock objects and GetStockObject.
#include "gdi/stock.h"
#include "gdi/bitmap.h"
#include "gdi/brush.h"

namespace dgp {

HGDIOBJ stockobj[32];
HBITMAP stockbitmap;

namespace {
void *newstock(Kind kind, void *obj) {
    Slot *s;
    void *h = newhandle(kind, obj, &s);
    if (h) s->stock = true;
    return h;
}
} // namespace

__attribute__((noinline, cold)) void makestock() {
    stockbitmap = newbitmap(1, 1);
    lookup(stockbitmap, Kind::bitmap)->stock = true;
    const COLORREF brushes[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
    for (int i = 0; i < 5; i++) {
        stockobj[i] = newbrush(brushes[i]);
        lookup(stockobj[i], Kind::brush)->stock = true;
    }
    stockobj[NULL_BRUSH] = newbrush(0); // drawn with nothing, never used for fills here
    lookup(stockobj[NULL_BRUSH], Kind::brush)->stock = true;
    // The stock fonts stand for the platform's own face (text.cpp).
    for (int i : {10, 11, 12, 13, 14, 16, 17}) stockobj[i] = newstock(Kind::font, nullptr);
}

} // namespace dgp

extern "C" HGDIOBJ WINAPI GetStockObject(int index) {
    dgp::initstock();
    if (index < 0 || index >= 32) return nullptr;
    return dgp::stockobj[index];
}
