// Full-screen modes the display offers, through SDL.
#include "user/modes.h"

namespace dgp {

// The mode the display offers that matches the record, if any.
bool offersmode(const DEVMODEA *dm, SDL_DisplayMode *out) {
    if (!dm || (dm->dmFields & (DM_PELSWIDTH | DM_PELSHEIGHT)) != (DM_PELSWIDTH | DM_PELSHEIGHT))
        return false;
    initsdl();
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

bool enterfullscreen(Window *w, const SDL_DisplayMode &m) {
    SDL_SetWindowDisplayMode(w->sdl, &m);
    return SDL_SetWindowFullscreen(w->sdl, SDL_WINDOW_FULLSCREEN) == 0;
}

void leavefullscreen(Window *w) { SDL_SetWindowFullscreen(w->sdl, 0); }

} // namespace dgp
