// Global key state under X11. With XInput 2 the state is kept from raw key
// events, which the server sends whatever window has the focus, on a
// connection of dg's own: reading it asks the server nothing. Without
// XInput 2 every reading asks the server for its key map.
#include "user/keyboard.h"

#include <SDL_syswm.h>

#include <cstring>

#if defined(DG_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
#ifdef DG_HAVE_XI2
#include <X11/extensions/XInput2.h>
#endif

namespace dgp {

namespace {

struct Global {
    bool tried = false;
    Display *shared = nullptr;   // SDL's connection: the key map each reading without XInput 2
    Display *own = nullptr;      // raw key events, with XInput 2
    int xinput = -1;             // XInput's major opcode
    unsigned char keys[32] = {}; // keycodes down, a bit each
    KeyCode codes[256][2] = {};  // a virtual key's keycodes, found once
    bool coded[256] = {};
};
Global g;

#ifdef DG_HAVE_XI2
// A connection that gets the raw key events of every keyboard, or none.
Display *openraw(Display *shared) {
    Display *d = XOpenDisplay(DisplayString(shared));
    if (!d) return nullptr;
    int event, error, major = 2, minor = 0;
    if (!XQueryExtension(d, "XInputExtension", &g.xinput, &event, &error) ||
        XIQueryVersion(d, &major, &minor) != Success) {
        XCloseDisplay(d);
        return nullptr;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XIEventMask mask{XIAllMasterDevices, (int)sizeof bits, bits};
    XISelectEvents(d, DefaultRootWindow(d), &mask, 1);
    // The state from which the events go on: taken after selecting them, so
    // nothing in between is lost.
    XQueryKeymap(d, (char *)g.keys);
    return d;
}

// Applies the raw key events that have come.
void readraw(bool &changed) {
    while (XPending(g.own)) {
        XEvent e;
        XNextEvent(g.own, &e);
        XGenericEventCookie *c = &e.xcookie;
        if (c->type != GenericEvent || c->extension != g.xinput || !XGetEventData(g.own, c))
            continue;
        const XIRawEvent *raw = (const XIRawEvent *)c->data;
        const int code = raw->detail;
        if (code > 0 && code < 256) {
            const unsigned char bit = (unsigned char)(1u << (code & 7)), old = g.keys[code >> 3];
            g.keys[code >> 3] = c->evtype == XI_RawKeyPress ? old | bit : old & ~bit;
            changed = changed || g.keys[code >> 3] != old;
        }
        XFreeEventData(g.own, c);
    }
}
#endif

bool open(SDL_Window *win) {
    if (g.tried) return g.shared != nullptr;
    g.tried = true;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(win, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    g.shared = info.info.x11.display;
#ifdef DG_HAVE_XI2
    g.own = openraw(g.shared);
#endif
    return true;
}

} // namespace

bool readglobalkeys(SDL_Window *win, bool &changed) {
    if (!open(win)) return false;
#ifdef DG_HAVE_XI2
    if (g.own) {
        readraw(changed);
        return true;
    }
#endif
    unsigned char keys[32];
    XQueryKeymap(g.shared, (char *)keys);
    changed = std::memcmp(keys, g.keys, sizeof keys) != 0;
    std::memcpy(g.keys, keys, sizeof keys);
    return true;
}

int globalkeysfd() { return g.own ? ConnectionNumber(g.own) : -1; }

int globalkeydown(const Key &key) {
    if (!g.shared) return -1;
    if (!g.coded[key.vk]) {
        for (int i = 0; i < 2; i++)
            g.codes[key.vk][i] = key.sym[i] ? XKeysymToKeycode(g.shared, key.sym[i]) : 0;
        g.coded[key.vk] = true;
    }
    for (KeyCode kc : g.codes[key.vk])
        if (kc && (g.keys[kc >> 3] & (1 << (kc & 7)))) return 1;
    return 0;
}

} // namespace dgp

#else

namespace dgp {
bool readglobalkeys(SDL_Window *, bool &) { return false; }
int globalkeysfd() { return -1; }
int globalkeydown(const Key &) { return -1; }
} // namespace dgp

#endif
