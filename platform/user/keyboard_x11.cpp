// Global key state from the X server's key map, when the window runs on X11.
#include "user/keyboard.h"

#include <SDL_syswm.h>

namespace dgp {

int globalkeydown(SDL_Window *win, const Key &key) {
#if defined(DG_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(win, &info) || info.subsystem != SDL_SYSWM_X11) return -1;
    Display *dpy = info.info.x11.display;
    char keys[32];
    XQueryKeymap(dpy, keys);
    for (unsigned long sym : key.sym) {
        if (!sym) continue;
        KeyCode kc = XKeysymToKeycode(dpy, sym);
        if (kc && (keys[kc >> 3] & (1 << (kc & 7)))) return 1;
    }
    return 0;
#else
    (void)win, (void)key;
    return -1;
#endif
}

} // namespace dgp
