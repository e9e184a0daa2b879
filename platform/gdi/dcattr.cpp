// A DC's text attributes: text and background colours, background mode.
#include "gdi/dc.h"

using namespace dgp;

extern "C" {

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
