// Display modes over SDL: ChangeDisplaySettingsA and EnumDisplaySettingsA.
#include "testhook.h"
#include "user/window.h"

#include <cstring>

namespace {

// The mode the display offers that matches the record, if any.
bool findmode(const DEVMODEA *dm, SDL_DisplayMode *out) {
    if (!dm || (dm->dmFields & (DM_PELSWIDTH | DM_PELSHEIGHT)) != (DM_PELSWIDTH | DM_PELSHEIGHT))
        return false;
    dgp::initsdl();
    // A width or height of zero keeps the display's own, as on Windows.
    DWORD want_w = dm->dmPelsWidth, want_h = dm->dmPelsHeight;
    SDL_DisplayMode cur;
    if ((!want_w || !want_h) && SDL_GetCurrentDisplayMode(0, &cur) == 0) {
        if (!want_w) want_w = (DWORD)cur.w;
        if (!want_h) want_h = (DWORD)cur.h;
    }
    int n = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < n; i++) {
        SDL_DisplayMode m;
        if (SDL_GetDisplayMode(0, i, &m) != 0) continue;
        if ((DWORD)m.w != want_w || (DWORD)m.h != want_h) continue;
        if ((dm->dmFields & DM_BITSPERPEL) &&
            (DWORD)SDL_BITSPERPIXEL(m.format) != dm->dmBitsPerPel &&
            !(dm->dmBitsPerPel == 32 && SDL_BITSPERPIXEL(m.format) == 24))
            continue;
        *out = m;
        return true;
    }
    return false;
}

bool refuseall; // a test's display that offers no mode at all
} // namespace

extern "C" {

void dgp_testdisplay(int refuse) { refuseall = refuse != 0; }

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) {
    dgp::Window *w = dgp::mainwindow();
    if (!mode) { // back to the desktop's own mode
        if (w && w->fullscreen) {
            SDL_SetWindowFullscreen(w->sdl, 0);
            w->fullscreen = false;
        }
        return DISP_CHANGE_SUCCESSFUL;
    }
    SDL_DisplayMode m;
    if (refuseall || !findmode(mode, &m)) return DISP_CHANGE_BADMODE;
    if (flags & CDS_TEST) return DISP_CHANGE_SUCCESSFUL;
    if (w) {
        SDL_SetWindowDisplayMode(w->sdl, &m);
        if (SDL_SetWindowFullscreen(w->sdl, SDL_WINDOW_FULLSCREEN) != 0) return DISP_CHANGE_FAILED;
        w->fullscreen = true;
    }
    return DISP_CHANGE_SUCCESSFUL;
}

BOOL WINAPI EnumDisplaySettingsA(LPCSTR, DWORD index, DEVMODEA *dm) {
    if (!dm) return FALSE;
    dgp::initsdl();
    SDL_DisplayMode m;
    int rc = index == ENUM_CURRENT_SETTINGS ? SDL_GetDesktopDisplayMode(0, &m)
                                            : SDL_GetDisplayMode(0, (int)index, &m);
    if (rc != 0) return FALSE;
    std::memset(dm, 0, sizeof *dm);
    dm->dmSize = sizeof *dm;
    dm->dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    dm->dmPelsWidth = (DWORD)m.w;
    dm->dmPelsHeight = (DWORD)m.h;
    dm->dmBitsPerPel = 32;
    dm->dmDisplayFrequency = (DWORD)m.refresh_rate;
    return TRUE;
}

} // extern "C"
