// The message box as a dialog in the page (web.js), awaited through
// Asyncify: the program waits for the answer while the page goes on.
#include "user/dialog.h"

extern "C" int dg_ask_dialog(const char *caption, const char *text, int yesno);

int dgp::showbox(Window *, const char *caption, const char *text, UINT type) {
    const bool yesno = (type & 0xF) == MB_YESNO;
    const bool yes = dg_ask_dialog(caption, text, yesno) != 0;
    return yesno ? (yes ? IDYES : IDNO) : IDOK;
}
