// An idle program's wait for input on the desktop, and its pauses. Under X11
// it waits on the display connections themselves (SDL's, and the one the key
// state comes from), so a key anywhere or an event for the window ends the
// wait at once; elsewhere SDL waits for its next event.
#include "user/keyboard.h"
#include "user/poll.h"
#include "user/window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>
#include <sched.h>

namespace dgp {

const uint64_t busygap = 100000; // ns

namespace {

// SDL's display connection under X11, or -1.
int displayfd() {
    static int fd = -2;
    if (fd != -2) return fd;
    fd = -1;
#if defined(DG_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
    Window *w = mainwindow();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (w && SDL_GetWindowWMInfo(w->sdl, &info) && info.subsystem == SDL_SYSWM_X11)
        fd = ConnectionNumber(info.info.x11.display);
#endif
    return fd;
}

} // namespace

void waitforinput(uint64_t ns) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    const int ms = (int)((ns + 999999) / 1000000);
    const int fd = displayfd();
    if (fd < 0) {
        // Left in SDL's queue for the next reading of events.
        SDL_WaitEventTimeout(nullptr, ms);
        return;
    }
    pollfd fds[2] = {{fd, POLLIN, 0}, {globalkeysfd(), POLLIN, 0}};
    poll(fds, fds[1].fd >= 0 ? 2 : 1, ms);
}

void pausefor(uint32_t ms) {
    if (ms == 0)
        sched_yield();
    else
        SDL_Delay(ms);
}

void giveturn() {}

} // namespace dgp
