// The window's pixels shown on its SDL surface.
#include "user/present.h"
#include "user/window.h"

#include <algorithm>

namespace dgp {

void showpixels(Window *w) {
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

} // namespace dgp
