// Modal message boxes as dialogs in the page (web.js), awaited through
// Asyncify: the program waits for the answer while the page goes on.
#include "kernel/cp932.h"
#include "testhook.h"
#include "user/window.h"

extern "C" int dg_ask_dialog(const char *caption, const char *text, int yesno);

static dgp_msgboxhook hook;

extern "C" {

void dgp_testmsgbox(dgp_msgboxhook answer) { hook = answer; }

int WINAPI MessageBoxA(HWND hwnd, LPCSTR text, LPCSTR caption, UINT type) {
    dgp::Window *w = dgp::window(hwnd);
    dgp::present(w ? w : dgp::mainwindow());
    const char *t = text ? text : "";
    const char *c = caption ? caption : "Error";
    if (hook) return hook(t, c, type);
    const bool yesno = (type & 0xF) == MB_YESNO;
    const bool yes = dg_ask_dialog(dgp::utf8(c).c_str(), dgp::utf8(t).c_str(), yesno) != 0;
    return yesno ? (yes ? IDYES : IDNO) : IDOK;
}

} // extern "C"
