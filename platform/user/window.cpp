// The one window over SDL: creation and destruction, its text, and the
// foreground window.
#include "user/window.h"
#include "gdi/dc.h"
#include "kernel/cp932.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace dgp {

namespace {
Window *thewin;
} // namespace

void initsdl() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return;
    // Ctrl-C ends the program as it ends any other; it is not a close request.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The window shows a surface of pixels: no OpenGL driver (tens of
    // megabytes and a compiler) is loaded for it. A hint, so the environment
    // (SDL_FRAMEBUFFER_ACCELERATION) still decides where it says otherwise.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // In the browser SDL would give the page a turn at every present (a
    // timer's delay each) and busy-wait in its delays: dg gives the page its
    // turns itself (wait_web.cpp). Elsewhere the hint means nothing.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
    SDL_Init(SDL_INIT_VIDEO);
}

Window *window(HWND h) { return get<Window>(h, Kind::window); }
Window *mainwindow() { return thewin; }

} // namespace dgp

using namespace dgp;

extern "C" {

HWND WINAPI CreateWindowExA(DWORD exstyle, LPCSTR cls, LPCSTR title, DWORD style, int x, int y,
                            int w, int h, HWND, HMENU, HINSTANCE, LPVOID) {
    if (!cls || thewin) return nullptr; // one window per program
    const WNDCLASSA *wc = findclass(cls);
    if (!wc) return nullptr;
    initsdl();
    Window *win = new Window;
    win->presenter.win = win;
    win->cls = cls;
    win->title = title ? title : "";
    win->proc = wc->lpfnWndProc;
    win->clsstyle = wc->style;
    if (Slot *b = lookup(wc->hbrBackground, Kind::brush)) win->background = b->pixel;
    win->style = style | WS_CLIPSIBLINGS; // as for every top-level window
    win->exstyle = exstyle;
    long long ow = std::max(w, 0), oh = std::max(h, 0);
    holdsize(style, ow, oh);
    win->outer = RECT{x, y, (LONG)std::min<long long>(INT_MAX, x + ow),
                      (LONG)std::min<long long>(INT_MAX, y + oh)};
    RECT f = frame(style);
    const auto extent = [](long long v) {
        return (int)std::min<long long>(maxclient, std::max(v, 1LL));
    };
    int cw = extent(ow - (f.right - f.left)), ch = extent(oh - (f.bottom - f.top));
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

} // extern "C"
