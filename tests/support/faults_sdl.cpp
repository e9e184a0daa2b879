// Window faults natively: real keys and another window taking the focus
// through the X server (XTest) when the window runs on X11, the frame dragged
// as the desktop resizes it, and a display refusing every mode.
#include "fixture.h"
#include "testhook.h"
#include "user/window.h"

#include <SDL_syswm.h>
#if defined(DG_HAVE_XTEST) && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#define DG_XTEST 1
#endif

namespace {

#ifdef DG_XTEST
Display *xdisplay(::Window *own = nullptr) {
    dgp::Window *w = dgp::mainwindow();
    if (!w) return nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(w->sdl, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    if (own) *own = info.info.x11.window;
    return info.info.x11.display;
}

KeySym keysym(int vk) {
    if (vk >= 'A' && vk <= 'Z') return XK_a + (vk - 'A');
    switch (vk) {
    case VK_UP:
        return XK_Up;
    case VK_ESCAPE:
        return XK_Escape;
    case VK_RETURN:
        return XK_Return;
    }
    return NoSymbol;
}

::Window other;
#endif

} // namespace

bool hook_realkey(int vk, bool down) {
#ifdef DG_XTEST
    Display *d = xdisplay();
    KeySym ks = keysym(vk);
    if (!d || ks == NoSymbol) return false;
    KeyCode kc = XKeysymToKeycode(d, ks);
    if (!kc || !XTestFakeKeyEvent(d, kc, down, CurrentTime)) return false;
    XSync(d, False);
    return true;
#else
    (void)vk, (void)down;
    return false;
#endif
}

bool hook_focus_away() {
#ifdef DG_XTEST
    Display *d = xdisplay();
    if (!d) return false;
    other = XCreateSimpleWindow(d, DefaultRootWindow(d), 700, 100, 200, 100, 0, 0, 0);
    XMapRaised(d, other);
    XSync(d, False);
    for (int i = 0; i < 50; i++) { // mapped before it can take the focus
        XWindowAttributes a;
        if (XGetWindowAttributes(d, other, &a) && a.map_state == IsViewable) break;
        SDL_Delay(10);
    }
    XSetInputFocus(d, other, RevertToParent, CurrentTime);
    XSync(d, False);
    ::Window f;
    int revert;
    XGetInputFocus(d, &f, &revert);
    return f == other;
#else
    return false;
#endif
}

void hook_focus_back() {
#ifdef DG_XTEST
    ::Window own = 0;
    Display *d = xdisplay(&own);
    if (!d) return;
    XSetInputFocus(d, own, RevertToParent, CurrentTime);
    if (other) XDestroyWindow(d, other);
    other = 0;
    XSync(d, False);
#endif
}

bool hook_drop_contents() {
#ifdef DG_XTEST
    ::Window own = 0;
    Display *d = xdisplay(&own);
    if (!d) return false;
    // What a lost window shows: black, with no expose event.
    GC gc = XCreateGC(d, own, 0, nullptr);
    XSetForeground(d, gc, BlackPixel(d, DefaultScreen(d)));
    XFillRectangle(d, own, gc, 0, 0, 8192, 8192);
    XFreeGC(d, gc);
    XSync(d, False);
    return true;
#else
    return false;
#endif
}

COLORREF hook_shown(int x, int y) {
#ifdef DG_XTEST
    ::Window own = 0;
    Display *d = xdisplay(&own);
    if (!d) return CLR_INVALID;
    XImage *im = XGetImage(d, own, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!im) return CLR_INVALID;
    unsigned long p = XGetPixel(im, 0, 0);
    XDestroyImage(im);
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
#else
    (void)x, (void)y;
    return CLR_INVALID;
#endif
}

void hook_resize(int cw, int ch) {
    if (dgp::Window *w = dgp::mainwindow()) SDL_SetWindowSize(w->sdl, cw, ch);
}

bool hook_refuse_modes(bool refuse) {
    dgp_testdisplay(refuse);
    return true;
}
