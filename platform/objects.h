// Objects behind the GDI handles: brushes, fonts, bitmaps and drawing
// surfaces (DCs) live in one handle table. A handle is an index plus a
// generation, so a stale, deleted or foreign handle is refused, never followed.
#pragma once

#include "win32.h"

#include <cstdint>
#include <vector>

namespace dgp {

enum class Kind : uint8_t { none, dc, brush, font, bitmap, window, cursor };

// 32-bit XRGB pixels (0x00RRGGBB), rows top-down.
struct Bitmap {
    int w = 0, h = 0;
    std::vector<uint32_t> px;
    int selected = 0; // how many DCs hold it
};

struct Font;   // font.cpp
struct Window; // window.cpp

// What drawing on a window's pixels keeps: whether they changed since they
// were last presented, and a countdown of writes to the next look at the clock
// (window.cpp), so a write costs what it costs on a memory DC.
struct Drawing {
    bool dirty = false; // drawn on since last presented
    int left = 0;       // writes before the clock is read again
    int stride = 1;     // writes between two readings of the clock
    uint64_t checked = 0;
};

struct Dc {
    Window *win = nullptr;       // the window DC's window, or none for a memory DC
    Drawing *drawing = nullptr;  // the window's, or none
    HBITMAP bitmap = nullptr;    // memory DC: the selected bitmap
    Bitmap *target = nullptr;    // where drawing goes (window pixels or the bitmap)
    HBRUSH brush = nullptr;      // selected brush
    uint32_t brushpx = 0xFFFFFF; // its colour as a pixel
    HFONT font = nullptr;        // selected font
    COLORREF text = 0, bk = 0xFFFFFF;
    int bkmode = OPAQUE;
};

// A slot of the handle table. A live slot's key is its handle shifted left
// by 4 with the kind in the low bits, so one comparison checks index,
// generation and kind at once; a free slot's key is 0.
struct Slot {
    uint64_t key = 0;
    uint32_t gen = 1;
    Kind kind = Kind::none;
    bool stock = false;
    uint32_t nextfree = 0;
    uint32_t pixel = 0; // brush colour as a pixel
    union {
        COLORREF color; // brush
        void *obj;      // Dc, Font, Bitmap, Window
    };
    Slot() : obj(nullptr) {}
};

// COLORREF 0x00BBGGRR <-> pixel 0x00RRGGBB.
inline uint32_t topixel(COLORREF c) {
#if defined(__GNUC__)
    return __builtin_bswap32(c) >> 8; // the byte order reversed, the top byte dropped
#else
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
#endif
}
inline COLORREF tocolor(uint32_t p) { return topixel(p); }

// The handle table. `slots` owns the slots; `table` and `tablesize` are its
// data and size, kept beside it for the lookups on every drawing call.
extern std::vector<Slot> &slots; // never destroyed: handles outlive static destruction
extern Slot *table;
extern uint32_t tablesize;
constexpr int idxbits = 20;

extern uint32_t freelist; // 1-based index of the first free slot, 0 for none
inline uint32_t slotindex(const void *h) {
    return (uint32_t)((uintptr_t)h & ((uintptr_t(1) << idxbits) - 1));
}
// Puts a new slot on the free list; false when the index bits are used up.
bool growtable();
// A live handle of the given kind in a slot from the free list (no
// allocation while the list has one), or none; *slot is its slot.
inline void *newhandle(Kind kind, void *obj, Slot **slot = nullptr) {
    if (__builtin_expect(!freelist, 0) && !growtable()) return nullptr;
    const uint32_t i = freelist;
    Slot &s = table[i - 1];
    freelist = s.nextfree;
    const uint64_t v = ((uint64_t)s.gen << idxbits) | i;
    s.key = (v << 4) | (uint64_t)kind;
    s.kind = kind;
    s.stock = false;
    s.obj = obj;
    if (slot) *slot = &s;
    return (void *)(uintptr_t)v;
}
// Gives the slot of a live handle back; the handle is stale from now on.
inline void freehandle(void *h) {
    const uint32_t i = slotindex(h);
    Slot &s = table[i - 1];
    s.key = 0;
    s.kind = Kind::none;
    s.obj = nullptr;
    // Generations stay within what the handle's upper bits can carry.
    s.gen = (s.gen + 1) & (uint32_t)((~uintptr_t(0)) >> idxbits);
    if (s.gen == 0) s.gen = 1;
    s.nextfree = freelist;
    freelist = i;
}
// The live slot behind h, whatever its kind, or none.
inline Slot *lookup(const void *h) {
    const uint32_t i = slotindex(h) - 1; // handle 0 wraps past every slot
    if (i >= tablesize) return nullptr;
    Slot &s = table[i];
    return (s.key >> 4) == (uint64_t)(uintptr_t)h ? &s : nullptr;
}
inline Slot *lookup(const void *h, Kind kind) {
    const uint32_t i = slotindex(h) - 1;
    if (i >= tablesize) return nullptr;
    Slot &s = table[i];
    return s.key == (((uint64_t)(uintptr_t)h << 4) | (uint64_t)kind) ? &s : nullptr;
}
template <class T> T *get(const void *h, Kind kind) {
    Slot *s = lookup(h, kind);
    return s ? static_cast<T *>(s->obj) : nullptr;
}
inline Dc *getdc(HDC h) { return get<Dc>(h, Kind::dc); }
inline Bitmap *getbitmap(HBITMAP h) { return get<Bitmap>(h, Kind::bitmap); }
inline Kind kindof(const void *h) {
    Slot *s = lookup(h);
    return s ? s->kind : Kind::none;
}

// A DC over a window's pixels (GetDC); freed by ReleaseDC.
HDC newwindowdc(Window *win, Drawing *drawing, Bitmap *pixels);
void freedc(HDC h);
// A bitmap handle over new pixels, white-free: filled with 0 (black).
HBITMAP newbitmap(int w, int h);

// The pixels a DC draws on.
struct Surf {
    uint32_t *px = nullptr;
    int w = 0, h = 0;
    Drawing *win = nullptr;
};
inline bool surface(const Dc *d, Surf &s) {
    if (!d || !d->target) return false;
    s.px = d->target->px.data();
    s.w = d->target->w;
    s.h = d->target->h;
    s.win = d->drawing;
    return s.w > 0 && s.h > 0;
}
inline bool surface(HDC hdc, Surf &s) { return surface(getdc(hdc), s); }

// Drawing on a window's pixels: presented now and then, and at every pump,
// poll, sleep, message box and exit (window.cpp). Between two readings of the
// clock a write only counts down.
void windowdrawn(Drawing *win);
inline void drawnon(Drawing *w) { // w: a window's, or none for a memory DC
    if (w && (!w->dirty || --w->left <= 0)) windowdrawn(w);
}
inline void drawn(const Surf &s) { drawnon(s.win); }

// Fonts (font.cpp).
void fontfree(Font *f);

} // namespace dgp
