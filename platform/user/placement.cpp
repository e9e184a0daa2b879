// Where the window stands and how large it is: styles, frames, outer and
// client rectangles, and the screen's size.
#include "gdi/dc.h"
#include "user/window.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace dgp {

namespace {

// Window geometry is kept within 32 bits, whatever is asked for.
LONG clamp32(long long v) {
    return (LONG)std::max<long long>(INT32_MIN, std::min<long long>(INT32_MAX, v));
}

// A client extent from an outer extent and the frame's, within 0..maxclient.
int clientextent(long long outer, long long framed) {
    return (int)std::max<long long>(0, std::min<long long>(maxclient, outer - framed));
}

void resizepixels(Window *w, int cw, int ch) {
    cw = std::min(std::max(cw, 0), maxclient);
    ch = std::min(std::max(ch, 0), maxclient);
    if (cw == w->pixels.w && ch == w->pixels.h) return;
    std::vector<uint32_t> px((size_t)cw * ch, w->background);
    int mw = std::min(cw, w->pixels.w), mh = std::min(ch, w->pixels.h);
    for (int y = 0; mw > 0 && y < mh; y++) // a client area may be 0 wide
        std::memcpy(&px[(size_t)y * cw], &w->pixels.px[(size_t)y * w->pixels.w], mw * 4);
    w->pixels.px.swap(px);
    w->pixels.w = cw;
    w->pixels.h = ch;
    for (HDC dc : w->dcs)
        if (Dc *d = getdc(dc)) retarget(d, &w->pixels); // its pixels moved
    // A class that redraws on resizing has all of its client area invalid,
    // erased there and then, as Windows erases while it sizes the window;
    // the paint that follows finds it erased already.
    if (w->clsstyle & (CS_HREDRAW | CS_VREDRAW)) {
        erase(w);
        w->invalid = true;
        w->erase = false;
    }
    w->presenter.dirty = true;
}

} // namespace

namespace {

// Styles of windows that are neither framed nor top-level.
constexpr DWORD childstyle = 0x40000000; // WS_CHILD

// The maximum tracking size: the desktop (every display together) with a
// sizing frame and a little more on each axis, as Windows counts it
// (SM_CXMAXTRACK); maxclient where no display is known.
void maxtrack(long long &w, long long &h) {
    initsdl();
    const int n = SDL_GetNumVideoDisplays();
    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
    for (int i = 0; i < n; i++) {
        SDL_Rect r;
        if (SDL_GetDisplayBounds(i, &r) != 0 || r.w <= 0 || r.h <= 0) continue;
        x0 = std::min(x0, r.x), y0 = std::min(y0, r.y);
        x1 = std::max(x1, r.x + r.w), y1 = std::max(y1, r.y + r.h);
    }
    const RECT f = frame(WS_OVERLAPPEDWINDOW);
    const long long more = 4;
    if (x0 >= x1 || y0 >= y1) {
        w = (long long)maxclient + f.right - f.left;
        h = (long long)maxclient + f.bottom - f.top;
        return;
    }
    w = (long long)x1 - x0 + 2 * f.right + more;
    h = (long long)y1 - y0 + 2 * f.bottom + more;
}

} // namespace

void holdsize(DWORD style, long long &w, long long &h) {
    // As DefWindowProc answers WM_WINDOWPOSCHANGING: for windows with a
    // sizing frame, or that are neither pop-ups nor children.
    if (!(style & WS_THICKFRAME) && (style & (WS_POPUP | childstyle))) return;
    long long mw, mh;
    maxtrack(mw, mh);
    w = std::min(w, mw);
    h = std::min(h, mh);
}

RECT frame(DWORD style) {
    RECT r{0, 0, 0, 0};
    int border = (style & WS_THICKFRAME) ? 4 : (style & WS_CAPTION) ? 1 : 0;
    int caption = (style & WS_CAPTION) == WS_CAPTION ? 19 : 0;
    r.left = -border;
    r.top = -border - caption;
    r.right = border;
    r.bottom = border;
    return r;
}

void placewindow(Window *w) {
    RECT f = frame(w->style);
    int cw = clientextent((long long)w->outer.right - w->outer.left, f.right - f.left);
    int ch = clientextent((long long)w->outer.bottom - w->outer.top, f.bottom - f.top);
    resizepixels(w, cw, ch);
    if (!w->sdl) return;
    SDL_SetWindowBordered(w->sdl, (w->style & WS_CAPTION) ? SDL_TRUE : SDL_FALSE);
    if (!w->fullscreen) {
        SDL_SetWindowSize(w->sdl, std::max(cw, 1), std::max(ch, 1));
        SDL_SetWindowPosition(w->sdl, clamp32((long long)w->outer.left - f.left),
                              clamp32((long long)w->outer.top - f.top));
    }
    w->presenter.dirty = true;
    present(w);
}

} // namespace dgp

using namespace dgp;

extern "C" {

LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value) {
    Window *w = window(hwnd);
    if (!w) return 0;
    DWORD *field = index == GWL_STYLE ? &w->style : index == GWL_EXSTYLE ? &w->exstyle : nullptr;
    if (!field) return 0;
    LONG old = (LONG)*field;
    *field = (DWORD)value;
    if (index == GWL_STYLE) {
        w->style |= WS_CLIPSIBLINGS;
        // The outer rectangle stays; the client area follows the new frame
        // once the window is positioned again, as on Windows.
        SDL_SetWindowBordered(w->sdl, (w->style & WS_CAPTION) ? SDL_TRUE : SDL_FALSE);
        if (w->style & WS_VISIBLE) SDL_ShowWindow(w->sdl);
    }
    return old;
}

LONG WINAPI GetWindowLongA(HWND hwnd, int index) {
    Window *w = window(hwnd);
    if (!w) return 0;
    return index == GWL_STYLE ? (LONG)w->style : index == GWL_EXSTYLE ? (LONG)w->exstyle : 0;
}

BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL) {
    if (!rect) return FALSE;
    RECT f = frame(style);
    rect->left = clamp32((long long)rect->left + f.left);
    rect->top = clamp32((long long)rect->top + f.top);
    rect->right = clamp32((long long)rect->right + f.right);
    rect->bottom = clamp32((long long)rect->bottom + f.bottom);
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hwnd, HWND after, int x, int y, int w, int h, UINT flags) {
    Window *win = window(hwnd);
    if (!win) return FALSE;
    long long ow = (long long)win->outer.right - win->outer.left;
    long long oh = (long long)win->outer.bottom - win->outer.top;
    if (!(flags & SWP_NOMOVE)) {
        win->outer.left = x;
        win->outer.top = y;
    }
    if (!(flags & SWP_NOSIZE)) {
        ow = std::max(w, 0);
        oh = std::max(h, 0);
        holdsize(win->style, ow, oh);
    }
    win->outer.right = clamp32(win->outer.left + ow);
    win->outer.bottom = clamp32(win->outer.top + oh);
    if (!(flags & SWP_NOZORDER)) {
        if (after == HWND_TOPMOST) win->exstyle |= WS_EX_TOPMOST;
        if (after == HWND_NOTOPMOST) win->exstyle &= ~WS_EX_TOPMOST;
        SDL_SetWindowAlwaysOnTop(win->sdl, (win->exstyle & WS_EX_TOPMOST) ? SDL_TRUE : SDL_FALSE);
    }
    if (flags & SWP_SHOWWINDOW) {
        win->style |= WS_VISIBLE;
        SDL_ShowWindow(win->sdl);
    }
    placewindow(win);
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
    Window *w = window(hwnd);
    if (!w || !rect) return FALSE;
    *rect = w->outer;
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
    Window *w = window(hwnd);
    if (!w || !rect) return FALSE;
    *rect = RECT{0, 0, w->pixels.w, w->pixels.h};
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, POINT *pt) {
    Window *w = window(hwnd);
    if (!w || !pt) return FALSE;
    RECT f = frame(w->style);
    pt->x = clamp32((long long)pt->x + w->outer.left - f.left);
    pt->y = clamp32((long long)pt->y + w->outer.top - f.top);
    return TRUE;
}

int WINAPI GetSystemMetrics(int index) {
    initsdl();
    if (index == sm_cxmaxtrack || index == sm_cymaxtrack) {
        long long w, h;
        maxtrack(w, h);
        return (int)(index == sm_cxmaxtrack ? w : h);
    }
    SDL_DisplayMode m;
    if (SDL_GetDesktopDisplayMode(0, &m) != 0) return 0;
    return index == SM_CXSCREEN ? m.w : index == SM_CYSCREEN ? m.h : 0;
}

} // extern "C"
