// SDL events into the message queue: keys, the close button, exposure and
// resizing from outside. Events are read whenever the program pumps or polls;
// the messages they make run only when dispatched.
#include "capture/capture.h"
#include "user/keytable.h"
#include "user/poll.h"
#include "user/queue.h"
#include "user/window.h"

namespace dgp {

namespace {

void windowevent(Window *w, const SDL_WindowEvent &e) {
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
        post(w->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        // The pixels are kept, so what was covered is shown again.
        w->presenter.dirty = true;
        present(w);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        // Resized from outside (by the user or the desktop).
        int cw = e.data1, ch = e.data2;
        if (cw != w->pixels.w || ch != w->pixels.h) {
            RECT f = frame(w->style);
            w->outer.right = w->outer.left + cw + (f.right - f.left);
            w->outer.bottom = w->outer.top + ch + (f.bottom - f.top);
            placewindow(w);
            post(w->hwnd, WM_SIZE, 0, (LPARAM)((ch << 16) | (cw & 0xFFFF)));
        }
        break;
    }
    }
}

} // namespace

void pollevents() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    Window *w = mainwindow();
    // One look at the display, then what it brought: SDL_PollEvent would
    // look again for every event.
    SDL_PumpEvents();
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        eventcount++;
        if (!w) continue;
        switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (int vk = vkofscancode(e.key.keysym.scancode)) {
                // A tool's key (F12) works while the program polls too.
                if (e.type == SDL_KEYDOWN && !e.key.repeat && dg_toolkey(w->hwnd, (unsigned)vk))
                    break;
                post(w->hwnd, e.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, (WPARAM)vk,
                     e.key.repeat ? 0x40000001 : 1);
            }
            break;
        case SDL_WINDOWEVENT:
            windowevent(w, e.window);
            break;
        }
    }
}

} // namespace dgp
