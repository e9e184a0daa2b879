// Drawing surfaces (DCs): memory DCs over a selected bitmap, and window DCs
// over a window's pixels, with what is selected into them.
#pragma once

#include "gdi/bitmap.h"
#include "user/present.h"

namespace dgp {

struct Dc {
    Presenter *presenter = nullptr; // a window DC's window; none for a memory DC
    HBITMAP bitmap = nullptr;       // memory DC: the selected bitmap
    Bitmap *target = nullptr;       // where drawing goes (window pixels or the bitmap)
    // The target's pixels and size, kept beside it for the drawing calls
    // (retarget); none and 0 x 0 without a target.
    uint32_t *bits = nullptr;
    int w = 0, h = 0;
    HBRUSH brush = nullptr;      // selected brush
    uint32_t brushpx = 0xFFFFFF; // its colour as a pixel
    HFONT font = nullptr;        // selected font
    COLORREF text = 0, bk = 0xFFFFFF;
    int bkmode = OPAQUE;
};

inline Dc *getdc(HDC h) { return get<Dc>(h, Kind::dc); }

// Points d's drawing at b (or nowhere); again whenever b's pixels move.
inline void retarget(Dc *d, Bitmap *b) {
    d->target = b;
    d->bits = b ? b->px.data() : nullptr;
    d->w = b ? b->w : 0;
    d->h = b ? b->h : 0;
}

// A DC over a window's pixels (GetDC); freed by freedc (ReleaseDC).
HDC newwindowdc(Presenter *presenter, Bitmap *pixels);
void freedc(HDC h);

} // namespace dgp
