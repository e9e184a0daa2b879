// A DC's text attributes: text and background colours, background mode.
#include "gdi/dc.h"

using namespace dgp;

namespace {

// Sets one attribute of a DC and gives back what it was; `refused` for no DC.
template <class T> T setattr(HDC hdc, T Dc::*field, T value, T refused) {
    Dc *d = getdc(hdc);
    if (!d) return refused;
    T old = d->*field;
    d->*field = value;
    return old;
}

template <class T> T getattr(HDC hdc, T Dc::*field, T refused) {
    Dc *d = getdc(hdc);
    return d ? d->*field : refused;
}

} // namespace

extern "C" {

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    return setattr(hdc, &Dc::text, color, CLR_INVALID);
}

COLORREF WINAPI GetTextColor(HDC hdc) { return getattr(hdc, &Dc::text, CLR_INVALID); }

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    return setattr(hdc, &Dc::bk, color, CLR_INVALID);
}

COLORREF WINAPI GetBkColor(HDC hdc) { return getattr(hdc, &Dc::bk, CLR_INVALID); }

int WINAPI SetBkMode(HDC hdc, int mode) {
    if (mode != OPAQUE && mode != TRANSPARENT) return 0;
    return setattr(hdc, &Dc::bkmode, mode, 0);
}

int WINAPI GetBkMode(HDC hdc) { return getattr(hdc, &Dc::bkmode, 0); }

} // extern "C"
