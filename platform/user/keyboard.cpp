// The asynchronous key state: global where the display server tells it
// (keyboard_x11.cpp), else SDL's keyboard state, which counts only while the
// window has the focus, so nothing stays down after the focus goes. The
// state is read at most every half millisecond (poll.cpp) and polls between
// answer from that reading. Reading key state reads pending events into the
// message queue but never dispatches them.
#include "user/keyboard.h"
#include "testhook.h"
#include "toolhook.h"
#include "user/poll.h"
#include "user/window.h"

#include <atomic>

namespace {

// Keys a test holds down (1) or up (2); 0 leaves the key to the keyboard.
// A test may set them from another thread while this one polls.
std::atomic<unsigned char> forced[256];

bool global; // whether the last reading was the display's global state

bool focuseddown(SDL_Window *win, const dgp::Key &key) {
    if (!win || !(SDL_GetWindowFlags(win) & SDL_WINDOW_INPUT_FOCUS)) return false;
    int n = 0;
    const Uint8 *state = SDL_GetKeyboardState(&n);
    for (SDL_Scancode sc : key.sc)
        if (sc != SDL_SCANCODE_UNKNOWN && state && (int)sc < n && state[sc]) return true;
    return false;
}

// The key as the program would find it now.
bool keystate(int vk) {
    dgp::Window *w = dgp::mainwindow();
    SDL_Window *sdl = w ? w->sdl : nullptr;
    if (dgp::pollkeys() && sdl) {
        bool changed = false;
        global = dgp::readglobalkeys(sdl, changed);
        if (changed) dgp::eventcount++;
    }
    if (unsigned char f = forced[vk].load(std::memory_order_relaxed)) return f == 1;
    const dgp::Key *key = dgp::keybyvk(vk);
    if (!key || !sdl) return false;
    return global ? dgp::globalkeydown(*key) == 1 : focuseddown(sdl, *key);
}

} // namespace

extern "C" {

void dgp_testkey(int vk, int down) {
    if (vk >= 0 && vk < 256) forced[vk].store(down ? 1 : 2, std::memory_order_relaxed);
}

void dgp_testpress(int vk, int down) {
    const dgp::Key *key = dgp::keybyvk(vk);
    dgp::Window *w = dgp::mainwindow();
    if (!key || key->sc[0] == SDL_SCANCODE_UNKNOWN || !w) return;
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = SDL_GetWindowID(w->sdl);
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = key->sc[0];
    SDL_PushEvent(&e);
}

SHORT WINAPI GetAsyncKeyState(int vk) {
    if (dgp::watch) dgp::step(dgp::Step::keypoll, dgp::pollstep);
    if (vk < 0 || vk >= 256) return 0;
    bool down = !dgp::driven() && keystate(vk);
    if (dgp::watch) down = dgp::watch->keypoll(vk, down);
    return down ? (SHORT)0x8000 : 0;
}

} // extern "C"
