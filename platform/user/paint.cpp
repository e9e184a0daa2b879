// The window's drawing surface and its painting: GetDC, ReleaseDC,
// BeginPaint, EndPaint.
#include "gdi/dc.h"
#include "user/window.h"

#include <algorithm>

namespace dgp {

void erase(Window *w) {
    std::fill(w->pixels.px.begin(), w->pixels.px.end(), w->background);
    w->presenter.dirty = true;
}

} // namespace dgp

using namespace dgp;

extern "C" {

HDC WINAPI GetDC(HWND hwnd) {
    Window *w = window(hwnd);
    if (!w) return nullptr;
    // DCs deleted with DeleteDC instead of released are dropped here.
    w->dcs.erase(std::remove_if(w->dcs.begin(), w->dcs.end(), [](HDC dc) { return !getdc(dc); }),
                 w->dcs.end());
    HDC dc = newwindowdc(&w->presenter, &w->pixels);
    if (dc) w->dcs.push_back(dc);
    return dc;
}

int WINAPI ReleaseDC(HWND hwnd, HDC hdc) {
    Window *w = window(hwnd);
    if (!w || !getdc(hdc)) return 0;
    auto it = std::find(w->dcs.begin(), w->dcs.end(), hdc);
    if (it == w->dcs.end()) return 0;
    present(w);
    w->dcs.erase(it);
    freedc(hdc);
    return 1;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
    Window *w = window(hwnd);
    if (!w || !ps) return nullptr;
    *ps = PAINTSTRUCT{};
    ps->hdc = GetDC(hwnd);
    ps->rcPaint = RECT{0, 0, w->pixels.w, w->pixels.h};
    if (w->invalid) {
        // The invalid area is erased with the class background, unless
        // sizing the window erased it already.
        if (w->erase) erase(w);
        w->invalid = false;
        w->erase = true;
    }
    return ps->hdc;
}

BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT *ps) {
    if (!ps) return FALSE;
    ReleaseDC(hwnd, ps->hdc);
    return TRUE;
}

} // extern "C"
