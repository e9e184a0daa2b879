// Window classes and the one window over SDL: placement, styles, text and the
// window DC's pixels.
#include "window.h"

#include "cp932.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <time.h>

namespace dgp {

// Window geometry is kept within 32 bits, whatever is asked for.
static LONG clamp32(long long v) {
    return (LONG)std::max<long long>(INT32_MIN, std::min<long long>(INT32_MAX, v));
}

// Nanoseconds of the monotonic clock, read while the window is drawn on. The
// coarse clock (a few milliseconds' resolution) is enough to keep presents
// about 16 ms apart and costs a fraction of the precise one.
static uint64_t now() {
#if defined(CLOCK_MONOTONIC_COARSE)
    timespec t;
    if (clock_gettime(CLOCK_MONOTONIC_COARSE, &t) == 0)
        return (uint64_t)t.tv_sec * 1000000000u + (uint64_t)t.tv_nsec;
#endif
    return (uint64_t)std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

static Window *thewin;
static std::vector<WNDCLASSA> classes;
static std::vector<std::string> classnames;

void initsdl() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return;
    // Ctrl-C ends the program as it ends any other; it is not a close request.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_Init(SDL_INIT_VIDEO);
}

Window *window(HWND h) { return get<Window>(h, Kind::window); }
Window *mainwindow() { return thewin; }

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

static void resizepixels(Window *w, int cw, int ch) {
    // No window is larger than this; nothing larger is allocated for one.
    cw = std::min(std::max(cw, 0), 8192);
    ch = std::min(std::max(ch, 0), 8192);
    if (cw == w->pixels.w && ch == w->pixels.h) return;
    std::vector<uint32_t> px((size_t)cw * ch, w->background);
    int mw = std::min(cw, w->pixels.w), mh = std::min(ch, w->pixels.h);
    for (int y = 0; mw > 0 && y < mh; y++) // a client area may be 0 wide
        std::memcpy(&px[(size_t)y * cw], &w->pixels.px[(size_t)y * w->pixels.w], mw * 4);
    w->pixels.px.swap(px);
    w->pixels.w = cw;
    w->pixels.h = ch;
    // A class that redraws on resizing has all of its client area invalid,
    // erased there and then, as Windows erases while it sizes the window;
    // the paint that follows finds it erased already.
    if (w->clsstyle & (CS_HREDRAW | CS_VREDRAW)) {
        std::fill(w->pixels.px.begin(), w->pixels.px.end(), w->background);
        w->invalid = true;
        w->erase = false;
    }
    w->dirty = true;
}

void placewindow(Window *w) {
    RECT f = frame(w->style);
    int cw = (int)std::max<long long>(
        0,
        std::min<long long>(8192, (long long)w->outer.right - w->outer.left - (f.right - f.left)));
    int ch = (int)std::max<long long>(
        0,
        std::min<long long>(8192, (long long)w->outer.bottom - w->outer.top - (f.bottom - f.top)));
    resizepixels(w, cw, ch);
    if (!w->sdl) return;
    SDL_SetWindowBordered(w->sdl, (w->style & WS_CAPTION) ? SDL_TRUE : SDL_FALSE);
    if (!w->fullscreen) {
        SDL_SetWindowSize(w->sdl, std::max(cw, 1), std::max(ch, 1));
        SDL_SetWindowPosition(w->sdl, clamp32((long long)w->outer.left - f.left),
                              clamp32((long long)w->outer.top - f.top));
    }
    w->dirty = true;
    present(w);
}

void present(Window *w) {
    if (!w || !w->sdl || !w->dirty) return;
    w->dirty = false;
    w->shown = now();
    SDL_Surface *s = SDL_GetWindowSurface(w->sdl);
    if (!s) return;
    int cw = std::min(s->w, w->pixels.w), ch = std::min(s->h, w->pixels.h);
    if (cw <= 0 || ch <= 0) return;
    if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
    SDL_ConvertPixels(cw, ch, SDL_PIXELFORMAT_RGB888, w->pixels.px.data(), w->pixels.w * 4,
                      s->format->format, s->pixels, s->pitch);
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    SDL_UpdateWindowSurface(w->sdl);
}

void polled() {
    pollevents();
    Window *w = mainwindow();
    if (!w) return;
    if (!w->dirty && now() - w->shown >= 250000000) w->dirty = true;
    present(w);
}

// Called on the first write after a present and then after every `stride`
// writes: presents when the last present is 16 ms old. While writes come fast
// the clock is read less often (up to every 64 writes); when they slow down,
// on every write again, so what is drawn shows within about 16 ms either way.
void windowdrawn(Drawing *d) {
    Window *w = static_cast<Window *>(d);
    const uint64_t t = now();
    if (d->dirty) {
        if (t - d->checked < 250000)
            d->stride = std::min(d->stride * 2, 64);
        else if (t - d->checked >= 1000000)
            d->stride = 1;
    }
    d->dirty = true;
    d->checked = t;
    d->left = d->stride;
    if (t - w->shown >= 16000000) present(w);
}

} // namespace dgp

using namespace dgp;

extern "C" {

WORD WINAPI RegisterClassA(const WNDCLASSA *wc) {
    if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
    for (const std::string &n : classnames)
        if (n == wc->lpszClassName) return 0; // already registered
    classes.push_back(*wc);
    classnames.push_back(wc->lpszClassName);
    return (WORD)(0xC000 + classes.size());
}

HWND WINAPI CreateWindowExA(DWORD exstyle, LPCSTR cls, LPCSTR title, DWORD style, int x, int y,
                            int w, int h, HWND, HMENU, HINSTANCE, LPVOID) {
    if (!cls || thewin) return nullptr; // one window per program
    size_t c = 0;
    while (c < classnames.size() && classnames[c] != cls) c++;
    if (c == classnames.size()) return nullptr;
    initsdl();
    Window *win = new Window;
    win->cls = cls;
    win->title = title ? title : "";
    win->proc = classes[c].lpfnWndProc;
    win->clsstyle = classes[c].style;
    if (Slot *b = lookup(classes[c].hbrBackground, Kind::brush)) win->background = b->pixel;
    win->style = style | WS_CLIPSIBLINGS; // as for every top-level window
    win->exstyle = exstyle;
    win->outer = RECT{x, y, x + w, y + h};
    RECT f = frame(style);
    int cw = std::max(w - (f.right - f.left), 1), ch = std::max(h - (f.bottom - f.top), 1);
    Uint32 flags = (style & WS_VISIBLE) ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
    if (exstyle & WS_EX_TOPMOST) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (!(style & WS_CAPTION)) flags |= SDL_WINDOW_BORDERLESS;
    win->sdl =
        SDL_CreateWindow(utf8(win->title.c_str()).c_str(), x - f.left, y - f.top, cw, ch, flags);
    if (!win->sdl) {
        delete win;
        return nullptr;
    }
    win->hwnd = (HWND)newhandle(Kind::window, win);
    thewin = win;
    placewindow(win);
    win->proc(win->hwnd, WM_CREATE, 0, 0);
    return win->hwnd;
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
    Window *w = window(hwnd);
    if (!w) return FALSE;
    if (w->invalid) w->proc(hwnd, WM_PAINT, 0, 0);
    present(w);
    return TRUE;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
    Window *w = window(hwnd);
    if (!w) return FALSE;
    w->proc(hwnd, WM_DESTROY, 0, 0);
    if (!window(hwnd)) return TRUE; // destroyed while it was told
    for (HDC dc : w->dcs) freedc(dc);
    SDL_DestroyWindow(w->sdl);
    if (thewin == w) thewin = nullptr;
    freehandle(hwnd);
    delete w;
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hwnd) { return window(hwnd) != nullptr; }

HWND WINAPI GetForegroundWindow(void) { return thewin ? thewin->hwnd : nullptr; }

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
    Window *w = window(hwnd);
    if (!w) return FALSE;
    w->title = text ? text : "";
    SDL_SetWindowTitle(w->sdl, utf8(w->title.c_str()).c_str());
    return TRUE;
}

static int copyout(const std::string &s, LPSTR out, int max) {
    if (!out || max <= 0) return 0;
    int n = std::min((int)s.size(), max - 1);
    std::memcpy(out, s.data(), n);
    out[n] = 0;
    return n;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR text, int max) {
    Window *w = window(hwnd);
    if (!w) {
        if (text && max > 0) text[0] = 0;
        return 0;
    }
    return copyout(w->title, text, max);
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR name, int max) {
    Window *w = window(hwnd);
    return w ? copyout(w->cls, name, max) : 0;
}

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
    SDL_DisplayMode m;
    if (SDL_GetDesktopDisplayMode(0, &m) != 0) return 0;
    return index == SM_CXSCREEN ? m.w : index == SM_CYSCREEN ? m.h : 0;
}

HDC WINAPI GetDC(HWND hwnd) {
    Window *w = window(hwnd);
    if (!w) return nullptr;
    HDC dc = newwindowdc(w, w, &w->pixels);
    if (dc) w->dcs.push_back(dc);
    return dc;
}

int WINAPI ReleaseDC(HWND hwnd, HDC hdc) {
    Window *w = window(hwnd);
    if (!w) return 0;
    auto it = std::find(w->dcs.begin(), w->dcs.end(), hdc);
    if (it == w->dcs.end()) return 0;
    present(w);
    w->dcs.erase(it);
    freedc(hdc);
    return 1;
}

} // extern "C"
