// The message box as SDL shows it.
#include "user/dialog.h"

#include <SDL_syswm.h>

#include <cstdio>
#include <cstring>

namespace {

// SDL's drivers that show nothing: a box there has no one to answer it.
bool headless() {
    const char *driver = SDL_GetCurrentVideoDriver();
    return driver && (!std::strcmp(driver, "dummy") || !std::strcmp(driver, "offscreen"));
}

// The window as a parent SDL's box can use: one of a windowing system. (SDL's
// X11 box takes any parent for an X11 window and reads its display data,
// which a dummy window has none of.)
SDL_Window *parent(dgp::Window *w) {
    if (!w || !w->sdl) return nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    return SDL_GetWindowWMInfo(w->sdl, &info) ? w->sdl : nullptr;
}

} // namespace

int dgp::showbox(Window *w, const char *caption, const char *text, UINT type) {
    const bool yesno = (type & 0xF) == MB_YESNO;
    const int dismissed = yesno ? IDNO : IDOK;
    initsdl();
    if (headless()) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
        return dismissed;
    }
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
    data.window = parent(w);
    data.title = caption;
    data.message = text;
    data.numbuttons = yesno ? 2 : 1;
    data.buttons = yesno ? yesno_buttons : ok_button;
    int answer = 0;
    if (SDL_ShowMessageBox(&data, &answer) != 0 || answer <= 0)
        answer = dismissed; // no box could be shown: as if dismissed
    return answer;
}
