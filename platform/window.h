// The one SDL window behind HWND, and how its pixels reach the screen.
#pragma once

#include "objects.h"

#include <SDL.h>
#include <string>

namespace dgp {

struct Window {
    SDL_Window *sdl = nullptr;
    HWND hwnd = nullptr;
    WNDPROC proc = nullptr;
    std::string cls;   // class name
    std::string title; // window text, code page 932
    DWORD style = 0, exstyle = 0;
    RECT outer{};  // outer rectangle on the desktop
    Bitmap pixels; // the client area, what the window DC draws on
    bool dirty = false;
    uint64_t shown = 0; // when the pixels were last presented (SDL ticks)
};

Window *window(HWND h);  // the window behind a handle, or none
Window *mainwindow();    // the program's window, or none
void present(Window *w); // show the pixels now if they changed since last time
void pollevents();       // read pending SDL events into key state and the message queue

} // namespace dgp
