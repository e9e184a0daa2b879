// The one table of keys platform/ knows: each virtual key with its SDL
// scancodes and X keysyms. Key messages (events.cpp), the key state
// (keyboard.cpp, keyboard_x11.cpp) and the test hooks all read it, so a new
// key is one new row.
#pragma once

#include "win32api.h"

#include <SDL.h>

namespace dgp {

struct Key {
    int vk;
    SDL_Scancode sc[2];   // SDL's scancodes for it; the second may be unknown
    unsigned long sym[2]; // X keysyms for it; the second may be 0
};

// The row of a virtual key, or none.
const Key *keybyvk(int vk);
// The virtual key of an SDL scancode, 0 for keys the runtime has no use for.
int vkofscancode(SDL_Scancode sc);

} // namespace dgp
