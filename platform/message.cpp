// The message queue: SDL events become window messages that PeekMessageA
// removes and DispatchMessageA hands to the window procedure. Events are read
// whenever the program pumps or polls; messages run only when dispatched.
#include "window.h"

#include <deque>

namespace dgp {

static std::deque<MSG> queue;
static bool quitposted;
static int quitcode;

// The virtual key of an SDL scancode, 0 for keys the runtime has no use for.
static int virtualkey(SDL_Scancode s) {
    if (s >= SDL_SCANCODE_A && s <= SDL_SCANCODE_Z) return 'A' + (s - SDL_SCANCODE_A);
    if (s >= SDL_SCANCODE_1 && s <= SDL_SCANCODE_9) return '1' + (s - SDL_SCANCODE_1);
    if (s >= SDL_SCANCODE_F1 && s <= SDL_SCANCODE_F12) return VK_F1 + (s - SDL_SCANCODE_F1);
    switch (s) {
    case SDL_SCANCODE_0:
        return '0';
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
        return VK_RETURN;
    case SDL_SCANCODE_ESCAPE:
        return VK_ESCAPE;
    case SDL_SCANCODE_SPACE:
        return VK_SPACE;
    case SDL_SCANCODE_BACKSPACE:
        return VK_BACK;
    case SDL_SCANCODE_TAB:
        return VK_TAB;
    case SDL_SCANCODE_UP:
        return VK_UP;
    case SDL_SCANCODE_DOWN:
        return VK_DOWN;
    case SDL_SCANCODE_LEFT:
        return VK_LEFT;
    case SDL_SCANCODE_RIGHT:
        return VK_RIGHT;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
        return VK_SHIFT;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
        return VK_CONTROL;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
        return VK_MENU;
    case SDL_SCANCODE_INSERT:
        return VK_INSERT;
    case SDL_SCANCODE_DELETE:
        return VK_DELETE;
    case SDL_SCANCODE_HOME:
        return VK_HOME;
    case SDL_SCANCODE_END:
        return VK_END;
    case SDL_SCANCODE_PAGEUP:
        return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN:
        return VK_NEXT;
    default:
        return 0;
    }
}

static void post(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    MSG m{};
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wp;
    m.lParam = lp;
    m.time = (DWORD)SDL_GetTicks();
    queue.push_back(m);
}

void pollevents() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    Window *w = mainwindow();
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (!w) continue;
        switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (int vk = virtualkey(e.key.keysym.scancode))
                post(w->hwnd, e.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, (WPARAM)vk,
                     e.key.repeat ? 0x40000001 : 1);
            break;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
            case SDL_WINDOWEVENT_CLOSE:
                post(w->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
            case SDL_WINDOWEVENT_EXPOSED:
                // The pixels are kept, so what was covered is shown again.
                w->dirty = true;
                present(w);
                break;
            case SDL_WINDOWEVENT_SIZE_CHANGED: {
                // Resized from outside (by the user or the desktop).
                int cw = e.window.data1, ch = e.window.data2;
                if (cw != w->pixels.w || ch != w->pixels.h) {
                    RECT f = frame(w->style);
                    w->outer.right = w->outer.left + cw + (f.right - f.left);
                    w->outer.bottom = w->outer.top + ch + (f.bottom - f.top);
                    placewindow(w);
                    post(w->hwnd, WM_SIZE, 0, (LPARAM)((ch << 16) | (cw & 0xFFFF)));
                }
                break;
            }
            }
            break;
        }
    }
}

static bool matches(const MSG &m, HWND hwnd, UINT first, UINT last) {
    if (hwnd && m.hwnd != hwnd) return false;
    if (first == 0 && last == 0) return true;
    return m.message >= first && m.message <= last;
}

} // namespace dgp

using namespace dgp;

extern "C" {

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    polled();
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!matches(*it, hwnd, first, last)) continue;
        if (msg) *msg = *it;
        if (remove & PM_REMOVE) queue.erase(it);
        return TRUE;
    }
    // Paint and quit come when nothing else waits, as on Windows.
    Window *w = mainwindow();
    if (w && w->invalid && (!hwnd || hwnd == w->hwnd) &&
        (first == 0 && last == 0 ? true : (WM_PAINT >= first && WM_PAINT <= last))) {
        if (msg) *msg = MSG{w->hwnd, WM_PAINT, 0, 0, (DWORD)SDL_GetTicks(), {0, 0}};
        return TRUE;
    }
    if (quitposted && !hwnd && (first == 0 && last == 0)) {
        if (msg) *msg = MSG{nullptr, WM_QUIT, (WPARAM)quitcode, 0, (DWORD)SDL_GetTicks(), {0, 0}};
        if (remove & PM_REMOVE) quitposted = false;
        return TRUE;
    }
    return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG *) { return FALSE; }

LRESULT WINAPI DispatchMessageA(const MSG *msg) {
    if (!msg) return 0;
    Window *w = window(msg->hwnd);
    if (!w) return 0;
    return w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (hwnd && !window(hwnd)) return FALSE;
    post(hwnd, msg, wp, lp);
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window *w = window(hwnd);
    return w ? w->proc(hwnd, msg, wp, lp) : 0;
}

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_CLOSE) SendMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    }
    return 0;
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
        if (w->erase) {
            std::fill(w->pixels.px.begin(), w->pixels.px.end(), w->background);
            w->dirty = true;
        }
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

void WINAPI PostQuitMessage(int code) {
    quitposted = true;
    quitcode = code;
}

} // extern "C"
