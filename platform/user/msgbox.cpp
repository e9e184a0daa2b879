// Modal message boxes: the window brought up to date, then the system's box
// (or the test hook's answer).
#include "user/dialog.h"

#include "kernel/cp932.h"
#include "testhook.h"
#include "toolhook.h"

static dgp_msgboxhook hook;

extern "C" {

void dgp_testmsgbox(dgp_msgboxhook answer) { hook = answer; }

int WINAPI MessageBoxA(HWND hwnd, LPCSTR text, LPCSTR caption, UINT type) {
    dgp::Window *w = dgp::window(hwnd);
    dgp::present(w ? w : dgp::mainwindow());
    const char *t = text ? text : "";
    const char *c = caption ? caption : "Error";
    if (dgp::watch)
        if (int id = dgp::watch->box(t, c, type)) return id;
    const int id =
        hook ? hook(t, c, type) : dgp::showbox(w, dgp::utf8(c).c_str(), dgp::utf8(t).c_str(), type);
    if (dgp::watch) dgp::watch->answered(id);
    return id;
}

} // extern "C"
