// The message queue of the one window (queue.cpp) and the SDL events that
// fill it (events.cpp).
#pragma once

#include "win32api.h"

namespace dgp {

// Puts a message at the end of the queue.
void post(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// Reads pending SDL events into key state and the message queue; nothing is
// dispatched.
void pollevents();

} // namespace dgp
