// Full-screen modes as each system offers them (modes.cpp: the display's
// own modes through SDL; modes_web.cpp: the browser's full-screen mode).
#pragma once

#include "user/window.h"

namespace dgp {

// Whether a mode of the record's size (and depth, where it names one) is
// offered; out gets it.
bool offersmode(const DEVMODEA *dm, SDL_DisplayMode *out);
// The window full screen in that mode; false when the system refused.
bool enterfullscreen(Window *w, const SDL_DisplayMode &m);
// The window back from full screen.
void leavefullscreen(Window *w);

} // namespace dgp
