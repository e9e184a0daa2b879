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

struct Dc {
    Window *win = nullptr;       // the window DC's window, or none for a memory DC
    HBITMAP bitmap = nullptr;    // memory DC: the selected bitmap
    Bitmap *target = nullptr;    // where drawing goes (window pixels or the bitmap)
    HBRUSH brush = nullptr;      // selected brush
    uint32_t brushpx = 0xFFFFFF; // its colour as a pixel
    HFONT font = nullptr;        // selected font
    COLORREF text = 0, bk = 0xFFFFFF;
    int bkmode = OPAQUE;
};

struct Slot {
    uint32_t gen = 1;
    Kind kind = Kind::none;
    bool stock = false;
    uint32_t nextfree = 0;
    union {
        COLORREF color; // brush
        void *obj;      // Dc, Font, Bitmap, Window
    };
    uint32_t pixel = 0; // brush colour as a pixel
    Slot() : obj(nullptr) {}
};

// COLORREF 0x00BBGGRR <-> pixel 0x00RRGGBB.
inline uint32_t topixel(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF tocolor(uint32_t p) { return topixel(p); }

// The handle table.
extern std::vector<Slot> &slots; // never destroyed: handles outlive static destruction
constexpr int idxbits = 20;

void *newhandle(Kind kind, void *obj);
void freehandle(void *h);
inline Slot *lookup(const void *h, Kind kind) {
    uintptr_t v = (uintptr_t)h;
    uintptr_t i = (v & ((uintptr_t(1) << idxbits) - 1));
    if (i == 0 || i > slots.size()) return nullptr;
    Slot &s = slots[i - 1];
    if (s.kind != kind || (uintptr_t)s.gen != (v >> idxbits)) return nullptr;
    return &s;
}
template <class T> T *get(const void *h, Kind kind) {
    Slot *s = lookup(h, kind);
    return s ? static_cast<T *>(s->obj) : nullptr;
}
inline Dc *getdc(HDC h) { return get<Dc>(h, Kind::dc); }
inline Bitmap *getbitmap(HBITMAP h) { return get<Bitmap>(h, Kind::bitmap); }
Kind kindof(const void *h);

// A DC over a window's pixels (GetDC); freed by ReleaseDC.
HDC newwindowdc(Window *win, Bitmap *pixels);
void freedc(HDC h);
// A bitmap handle over new pixels, white-free: filled with 0 (black).
HBITMAP newbitmap(int w, int h);

// The pixels a DC draws on.
struct Surf {
    uint32_t *px = nullptr;
    int w = 0, h = 0;
    Window *win = nullptr;
};
inline bool surface(HDC hdc, Surf &s) {
    Dc *d = getdc(hdc);
    if (!d || !d->target) return false;
    s.px = d->target->px.data();
    s.w = d->target->w;
    s.h = d->target->h;
    s.win = d->win;
    return s.w > 0 && s.h > 0;
}

// Drawing on a window's pixels: presented now and then, and at every pump,
// poll, sleep, message box and exit (window.cpp).
void windowdrawn(Window *win);
inline void drawn(const Surf &s) {
    if (s.win) windowdrawn(s.win);
}

// Fonts (font.cpp).
void fontfree(Font *f);

} // namespace dgp
