// The asynchronous key state: the X server's own key map where the window
// runs on X11 (global, whatever has the focus), else SDL's keyboard state,
// which counts only while the window has the focus, so nothing stays down
// after the focus goes. Reading key state reads pending events into the
// message queue but never dispatches them.
#include "testhook.h"
#include "window.h"

#include <SDL_syswm.h>
#include <atomic>
#if defined(DG_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/keysym.h>
#endif

namespace {

// Keys a test holds down (1) or up (2); 0 leaves the key to the keyboard.
// A test may set them from another thread while this one polls.
std::atomic<unsigned char> forced[256];

SDL_Scancode scancode(int vk) {
    if (vk >= 'A' && vk <= 'Z') return (SDL_Scancode)(SDL_SCANCODE_A + (vk - 'A'));
    if (vk >= '1' && vk <= '9') return (SDL_Scancode)(SDL_SCANCODE_1 + (vk - '1'));
    if (vk == '0') return SDL_SCANCODE_0;
    if (vk >= VK_F1 && vk <= VK_F12) return (SDL_Scancode)(SDL_SCANCODE_F1 + (vk - VK_F1));
    switch (vk) {
    case VK_SPACE:
        return SDL_SCANCODE_SPACE;
    case VK_RETURN:
        return SDL_SCANCODE_RETURN;
    case VK_ESCAPE:
        return SDL_SCANCODE_ESCAPE;
    case VK_UP:
        return SDL_SCANCODE_UP;
    case VK_DOWN:
        return SDL_SCANCODE_DOWN;
    case VK_LEFT:
        return SDL_SCANCODE_LEFT;
    case VK_RIGHT:
        return SDL_SCANCODE_RIGHT;
    case VK_BACK:
        return SDL_SCANCODE_BACKSPACE;
    case VK_TAB:
        return SDL_SCANCODE_TAB;
    case VK_LSHIFT:
        return SDL_SCANCODE_LSHIFT;
    case VK_RSHIFT:
        return SDL_SCANCODE_RSHIFT;
    case VK_LCONTROL:
        return SDL_SCANCODE_LCTRL;
    case VK_RCONTROL:
        return SDL_SCANCODE_RCTRL;
    case VK_INSERT:
        return SDL_SCANCODE_INSERT;
    case VK_DELETE:
        return SDL_SCANCODE_DELETE;
    case VK_HOME:
        return SDL_SCANCODE_HOME;
    case VK_END:
        return SDL_SCANCODE_END;
    case VK_PRIOR:
        return SDL_SCANCODE_PAGEUP;
    case VK_NEXT:
        return SDL_SCANCODE_PAGEDOWN;
    }
    return SDL_SCANCODE_UNKNOWN;
}

// Keys that stand for a pair (either Shift, either Ctrl, either Alt).
bool pair(int vk, int *a, int *b) {
    switch (vk) {
    case VK_SHIFT:
        *a = VK_LSHIFT, *b = VK_RSHIFT;
        return true;
    case VK_CONTROL:
        *a = VK_LCONTROL, *b = VK_RCONTROL;
        return true;
    }
    return false;
}

bool sdldown(SDL_Window *win, int vk) {
    if (vk == VK_MENU) return (SDL_GetModState() & KMOD_ALT) != 0;
    int a, b;
    if (pair(vk, &a, &b)) return sdldown(win, a) || sdldown(win, b);
    if (!win || !(SDL_GetWindowFlags(win) & SDL_WINDOW_INPUT_FOCUS)) return false;
    SDL_Scancode sc = scancode(vk);
    if (sc == SDL_SCANCODE_UNKNOWN) return false;
    int n = 0;
    const Uint8 *state = SDL_GetKeyboardState(&n);
    return state && (int)sc < n && state[sc];
}

} // namespace

extern "C" {

void dgp_testkey(int vk, int down) {
    if (vk >= 0 && vk < 256) forced[vk].store(down ? 1 : 2, std::memory_order_relaxed);
}

void dgp_testpress(int vk, int down) {
    SDL_Scancode sc = scancode(vk);
    dgp::Window *w = dgp::mainwindow();
    if (sc == SDL_SCANCODE_UNKNOWN || !w) return;
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = SDL_GetWindowID(w->sdl);
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = sc;
    SDL_PushEvent(&e);
}

SHORT WINAPI GetAsyncKeyState(int vk) {
    if (vk < 0 || vk >= 256) return 0;
    dgp::polled();
    dgp::Window *w = dgp::mainwindow();
    if (unsigned char f = forced[vk].load(std::memory_order_relaxed))
        return f == 1 ? (SHORT)0x8000 : 0;
    SDL_Window *sdl = w ? w->sdl : nullptr;
    if (sdl) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
#if defined(DG_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
        if (SDL_GetWindowWMInfo(sdl, &info) && info.subsystem == SDL_SYSWM_X11) {
            Display *dpy = info.info.x11.display;
            char keys[32];
            XQueryKeymap(dpy, keys);
            auto down = [&](KeySym ks) {
                KeyCode kc = XKeysymToKeycode(dpy, ks);
                return kc && (keys[kc >> 3] & (1 << (kc & 7)));
            };
            bool d = false;
            if (vk >= 'A' && vk <= 'Z')
                d = down(XK_a + (vk - 'A'));
            else if (vk >= '0' && vk <= '9')
                d = down(XK_0 + (vk - '0'));
            else if (vk >= VK_F1 && vk <= VK_F12)
                d = down(XK_F1 + (vk - VK_F1));
            else
                switch (vk) {
                case VK_SPACE:
                    d = down(XK_space);
                    break;
                case VK_RETURN:
                    d = down(XK_Return) || down(XK_KP_Enter);
                    break;
                case VK_ESCAPE:
                    d = down(XK_Escape);
                    break;
                case VK_UP:
                    d = down(XK_Up);
                    break;
                case VK_DOWN:
                    d = down(XK_Down);
                    break;
                case VK_LEFT:
                    d = down(XK_Left);
                    break;
                case VK_RIGHT:
                    d = down(XK_Right);
                    break;
                case VK_BACK:
                    d = down(XK_BackSpace);
                    break;
                case VK_TAB:
                    d = down(XK_Tab);
                    break;
                case VK_SHIFT:
                    d = down(XK_Shift_L) || down(XK_Shift_R);
                    break;
                case VK_LSHIFT:
                    d = down(XK_Shift_L);
                    break;
                case VK_RSHIFT:
                    d = down(XK_Shift_R);
                    break;
                case VK_CONTROL:
                    d = down(XK_Control_L) || down(XK_Control_R);
                    break;
                case VK_LCONTROL:
                    d = down(XK_Control_L);
                    break;
                case VK_RCONTROL:
                    d = down(XK_Control_R);
                    break;
                case VK_MENU:
                    d = down(XK_Alt_L) || down(XK_Alt_R);
                    break;
                case VK_INSERT:
                    d = down(XK_Insert);
                    break;
                case VK_DELETE:
                    d = down(XK_Delete);
                    break;
                case VK_HOME:
                    d = down(XK_Home);
                    break;
                case VK_END:
                    d = down(XK_End);
                    break;
                case VK_PRIOR:
                    d = down(XK_Prior);
                    break;
                case VK_NEXT:
                    d = down(XK_Next);
                    break;
                }
            return d ? (SHORT)0x8000 : 0;
        }
#endif
    }
    return sdldown(sdl, vk) ? (SHORT)0x8000 : 0;
}

} // extern "C"
