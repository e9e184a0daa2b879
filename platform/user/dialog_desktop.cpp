// The message box as SDL shows it.
#include "user/dialog.h"

int dgp::showbox(Window *w, const char *caption, const char *text, UINT type) {
    const bool yesno = (type & 0xF) == MB_YESNO;
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
    data.title = caption;
    data.message = text;
    data.numbuttons = yesno ? 2 : 1;
    data.buttons = yesno ? yesno_buttons : ok_button;
    int answer = 0;
    initsdl();
    if (SDL_ShowMessageBox(&data, &answer) != 0 || answer <= 0)
        answer = yesno ? IDNO : IDOK; // no box could be shown: as if dismissed
    return answer;
}
