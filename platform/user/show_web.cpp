// The window's pixels shown on the page's canvas: converted to the canvas's
// byte order (red, green, blue, alpha) in a buffer of their own and put
// there by web.js in one call, without SDL's surface and its copy.
#include "user/present.h"
#include "user/window.h"

#include <algorithm>

extern "C" {
// web.js: puts w x h pixels (RGBA bytes) at the canvas's top left.
void dg_show_canvas(const uint32_t *rgba, int w, int h);
}

namespace dgp {

namespace {
std::vector<uint32_t> rgba;
} // namespace

void showpixels(Window *w) {
    int sw = 0, sh = 0;
    SDL_GetWindowSize(w->sdl, &sw, &sh);
    const int cw = std::min(sw, w->pixels.w), ch = std::min(sh, w->pixels.h);
    if (cw <= 0 || ch <= 0) return;
    rgba.resize((size_t)cw * (size_t)ch);
    uint32_t *out = rgba.data();
    for (int y = 0; y < ch; y++) {
        const uint32_t *in = w->pixels.px.data() + (size_t)y * (size_t)w->pixels.w;
        // 0x00RRGGBB, bytes B G R 0, becomes bytes R G B 255.
        for (int x = 0; x < cw; x++) out[x] = (__builtin_bswap32(in[x]) >> 8) | 0xFF000000u;
        out += cw;
    }
    dg_show_canvas(rgba.data(), cw, ch);
}

} // namespace dgp
