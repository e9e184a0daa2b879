// Screen configuration: position, size, scale and title, and the window
// shaped to match.
#include "host.h"

#include <cstring>

extern "C" void dg_setscreen(int lx, int ly, int lwidth, int lheight, int lbai, const char *ltb) {
    HWND win = dg_window();
    screenx = lx;
    screeny = ly;
    screenwidth = lwidth;
    screenheight = lheight;
    bai = lbai;

    // The title is cut to what titlebar holds, at a character boundary; ltb
    // may be titlebar itself.
    if (ltb) {
        char title[sizeof titlebar];
        size_t n = dg_cutlen(ltb, sizeof titlebar - 1);
        std::memcpy(title, ltb, n);
        title[n] = 0;
        std::memcpy(titlebar, title, n + 1);
    }
    SetWindowTextA(win, titlebar);

    if (bai == 1) {
        // Doubled without overflow: sizes beyond what doubling can hold stay at the limits.
        screenwidth = twice(screenwidth);
        screenheight = twice(screenheight);
    }

    if (bai == 2) {
        DEVMODEA mode;
        std::memset(&mode, 0, sizeof mode);
        mode.dmSize = sizeof mode;
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        mode.dmPelsWidth = (DWORD)screenwidth;
        mode.dmPelsHeight = (DWORD)screenheight;
        if (ChangeDisplaySettingsA(&mode, CDS_TEST) == DISP_CHANGE_SUCCESSFUL) {
            ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
            SetWindowLongA(win, GWL_STYLE, (LONG)(WS_POPUP | WS_VISIBLE));
            SetWindowPos(win, HWND_TOPMOST, 0, 0, screenwidth, screenheight, SWP_SHOWWINDOW);
            SetCursor(nullptr);
        }
        return;
    }

    RECT rect;
    rect.left = screenx;
    rect.top = screeny;
    rect.right = (LONG)((i64)screenx + screenwidth);
    rect.bottom = (LONG)((i64)screeny + screenheight);
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    ChangeDisplaySettingsA(nullptr, 0);
    SetWindowLongA(win, GWL_STYLE, (LONG)(WS_VISIBLE | WS_OVERLAPPEDWINDOW));
    SetWindowPos(win, HWND_TOPMOST, screenx, screeny, clamp32((i64)rect.right - rect.left),
                 clamp32((i64)rect.bottom - rect.top), SWP_SHOWWINDOW);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}
