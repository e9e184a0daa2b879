// The message queue: PeekMessageA removes what events and PostMessageA put
// in it, DispatchMessageA hands a message to the window procedure.
#include "user/queue.h"
#include "user/poll.h"
#include "user/window.h"
#include "toolhook.h"

#include <deque>

namespace dgp {

namespace {
std::deque<MSG> queue;
bool quitposted;
int quitcode;

bool matches(const MSG &m, HWND hwnd, UINT first, UINT last) {
    if (hwnd && m.hwnd != hwnd) return false;
    if (first == 0 && last == 0) return true;
    return m.message >= first && m.message <= last;
}
} // namespace

void post(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    MSG m{};
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wp;
    m.lParam = lp;
    m.time = (DWORD)SDL_GetTicks();
    queue.push_back(m);
}

} // namespace dgp

using namespace dgp;

extern "C" {

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    pollmessages();
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!matches(*it, hwnd, first, last)) continue;
        if (msg) *msg = *it;
        if (remove & PM_REMOVE) {
            if (watch && (it->message == WM_KEYDOWN || it->message == WM_KEYUP))
                watch->keymessage((int)it->wParam, it->message == WM_KEYDOWN);
            queue.erase(it);
        }
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
    // Only a look that finds nothing is a step of the program: the messages a
    // desktop adds (painting, resizing) do not move its own time.
    if (watch) step(Step::messagepoll, pollstep);
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

void WINAPI PostQuitMessage(int code) {
    quitposted = true;
    quitcode = code;
}

} // extern "C"
