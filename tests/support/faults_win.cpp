// Window faults on Windows: another window taking the focus, the frame
// dragged, and (not possible here) a display refusing every mode.
#include "fixture.h"

namespace {
HWND other;
}

bool hook_focus_away() {
    other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 100, 200,
                            100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!other) return false;
    SetForegroundWindow(other);
    SetFocus(other);
    for (int i = 0; i < 20 && GetForegroundWindow() != other; i++) {
        MSG m;
        while (PeekMessageA(&m, other, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(10);
    }
    return GetForegroundWindow() == other;
}

void hook_focus_back() {
    SetForegroundWindow(dg_window());
    SetFocus(dg_window());
    if (other) DestroyWindow(other);
    other = nullptr;
}

void hook_resize(int cw, int ch) {
    RECT r = {0, 0, cw, ch};
    AdjustWindowRect(&r, (DWORD)GetWindowLongA(dg_window(), GWL_STYLE), FALSE);
    SetWindowPos(dg_window(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

bool hook_refuse_modes(bool) { return false; }

bool hook_drop_contents() { return false; }
COLORREF hook_shown(int, int) { return CLR_INVALID; }
