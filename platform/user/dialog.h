// The box a message box shows, as each system shows it (dialog_desktop.cpp:
// SDL's; dialog_web.cpp: a dialog in the page).
#pragma once

#include "user/window.h"

namespace dgp {

// Shows text under caption (both UTF-8) over w (may be null) and waits for
// the answer: IDYES or IDNO for MB_YESNO, else IDOK. A box that cannot be
// shown answers as if dismissed (IDNO, IDOK).
int showbox(Window *w, const char *caption, const char *text, UINT type);

} // namespace dgp
