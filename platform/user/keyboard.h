// The key state behind GetAsyncKeyState.
#pragma once

#include "user/keytable.h"

namespace dgp {

// Reads the display server's key state, whatever window has the focus
// (keyboard_x11.cpp); false where the display offers none. `changed` tells
// whether any key went down or up since the last reading.
bool readglobalkeys(SDL_Window *win, bool &changed);
// The key as the last reading found it: 1 down, 0 up, -1 where there is no
// global key state.
int globalkeydown(const Key &key);
// The connection whose readiness tells that a key went down or up anywhere,
// or -1.
int globalkeysfd();

} // namespace dgp
