// Modal message boxes over SDL's.
#include "kernel/cp932.h"
#include "testhook.h"
#include "user/window.h"

static dgp_msgboxhook hook;

extern "C" {

void dgp_testmsgbox(dgp_msgboxhook answer) { hook = answer; }

int WINAPI MessageBoxA(HWND hwnd, LPCSTR text, LPCSTR caption, UINT type) {
    dgp::Window *w = dgp::window(hwnd);
    dgp::present(w ? w : dgp::mainwindow());
    const char *t = text ? text : "";
    const char *c = caption ? caption : "Error";
    if (hook) return hook(t, c, type);

    bool yesno = (type & 0xF) == MB_YESNO;
    std::string ut = dgp::utf8(t), uc = dgp::utf8(c);
    SDL_MessageBoxButtonData yesno_buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"},
    };
    SDL_MessageBoxButtonData ok_button[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK,
         "OK"},
    };
    SDL_MessageBoxData data{};
    data.flags = (type & 0xF0) == MB_ICONHAND ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    data.window = w ? w->sdl : nullptr;
    data.title = uc.c_str();
    data.message = ut.c_str();
    data.numbuttons = yesno ? 2 : 1;
    data.buttons = yesno ? yesno_buttons : ok_button;
    int answer = 0;
    dgp::initsdl();
    if (SDL_ShowMessageBox(&data, &answer) != 0 || answer <= 0)
        answer = yesno ? IDNO : IDOK; // no box could be shown: as if dismissed
    return answer;
}

} // extern "C"
