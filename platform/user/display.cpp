// Display modes: ChangeDisplaySettingsA and EnumDisplaySettingsA over the
// modes the system offers (modes.h).
#include "testhook.h"
#include "user/modes.h"

#include <cstring>

namespace {
bool refuseall; // a test's display that offers no mode at all
} // namespace

extern "C" {

void dgp_testdisplay(int refuse) { refuseall = refuse != 0; }

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) {
    dgp::Window *w = dgp::mainwindow();
    if (!mode) { // back to the desktop's own mode
        if (w && w->fullscreen) {
            dgp::leavefullscreen(w);
            w->fullscreen = false;
        }
        return DISP_CHANGE_SUCCESSFUL;
    }
    SDL_DisplayMode m;
    if (refuseall || !dgp::offersmode(mode, &m)) return DISP_CHANGE_BADMODE;
    if (flags & CDS_TEST) return DISP_CHANGE_SUCCESSFUL;
    if (w) {
        if (!dgp::enterfullscreen(w, m)) return DISP_CHANGE_FAILED;
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
