// Full screen in the browser: the page's own full-screen mode, where the
// browser allows it. The canvas keeps the requested size and the page scales
// it by whole multiples to fill the screen (shell.html), so every size is
// offered. A browser grants full screen only in answer to the user: asked
// outside of that, the request waits for the next key or click on the page.
#include "user/modes.h"

#include <emscripten.h>

// clang-format off
EM_JS(int, dg_fullscreen_allowed, (void), {
    return document.fullscreenEnabled ? 1 : 0;
});

EM_JS(void, dg_fullscreen, (int on), {
    var root = document.documentElement;
    if (window.dgFullscreenAsk) {
        ['keydown', 'mousedown'].forEach(function(k) { removeEventListener(k, window.dgFullscreenAsk, true); });
        window.dgFullscreenAsk = null;
    }
    if (!on) {
        if (document.fullscreenElement) document.exitFullscreen().catch(function() {});
        return;
    }
    if (document.fullscreenElement) return;
    var ask = function() {
        ['keydown', 'mousedown'].forEach(function(k) { removeEventListener(k, ask, true); });
        window.dgFullscreenAsk = null;
        root.requestFullscreen().catch(function() {});
    };
    if (navigator.userActivation && navigator.userActivation.isActive) { ask(); return; }
    window.dgFullscreenAsk = ask;
    ['keydown', 'mousedown'].forEach(function(k) { addEventListener(k, ask, true); });
});
// clang-format on

namespace dgp {

bool offersmode(const DEVMODEA *dm, SDL_DisplayMode *out) {
    if (!dm || (dm->dmFields & (DM_PELSWIDTH | DM_PELSHEIGHT)) != (DM_PELSWIDTH | DM_PELSHEIGHT))
        return false;
    const DWORD w = dm->dmPelsWidth, h = dm->dmPelsHeight;
    if (w < 1 || h < 1 || w > (DWORD)maxclient || h > (DWORD)maxclient) return false;
    if (!dg_fullscreen_allowed()) return false;
    *out = SDL_DisplayMode{SDL_PIXELFORMAT_RGB888, (int)w, (int)h, 0, nullptr};
    return true;
}

bool enterfullscreen(Window *w, const SDL_DisplayMode &m) {
    // The canvas takes the mode's size; the page scales it to the screen.
    SDL_SetWindowSize(w->sdl, m.w, m.h);
    dg_fullscreen(1);
    return true;
}

void leavefullscreen(Window *) { dg_fullscreen(0); }

} // namespace dgp
