// The key state behind GetAsyncKeyState.
#pragma once

#include "user/keytable.h"

namespace dgp {

// Whether the display server reports the key down, whatever window has the
// focus: 1 down, 0 up, -1 where it cannot tell (keyboard_x11.cpp).
int globalkeydown(SDL_Window *win, const Key &key);

} // namespace dgp
