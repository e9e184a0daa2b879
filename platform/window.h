// The one SDL window behind HWND, and how its pixels reach the screen.
#pragma once

#include "objects.h"

#include <SDL.h>
#include <string>
#include <vector>

namespace dgp {

// Drawing (objects.h): whether the pixels changed since last presented, and
// when to look at the clock again.
struct Window : Drawing {
    SDL_Window *sdl = nullptr;
    HWND hwnd = nullptr;
    WNDPROC proc = nullptr;
    std::string cls;   // class name
    std::string title; // window text, code page 932
    DWORD style = 0, exstyle = 0, clsstyle = 0;
    COLORREF background = 0; // the class brush's colour
    RECT outer{};            // outer rectangle on the desktop
    Bitmap pixels;           // the client area, what the window DC draws on
    std::vector<HDC> dcs;    // DCs handed out by GetDC
    bool invalid = true;     // a WM_PAINT is due
    bool erase = true;       // and its BeginPaint erases the client area first
    bool fullscreen = false;
    uint64_t shown = 0; // when the pixels were last presented (ns, monotonic)
};

Window *window(HWND h);  // the window behind a handle, or none
Window *mainwindow();    // the program's window, or none
void present(Window *w); // show the pixels now if they changed since last time
void pollevents();       // read pending SDL events into key state and the message queue
// The program polls keys or messages, or pauses: pending events are read,
// what changed is presented, and every quarter of a second the whole client
// area again. An X server without backing store may drop a window's contents
// right after mapping it without an expose event for it, so the window shows
// itself again rather than stay blank.
void polled();
void initsdl(); // SDL's video, once

// The frame that a style puts around the client area.
RECT frame(DWORD style);
// Place the window's client area after a change of outer rectangle or style.
void placewindow(Window *w);

} // namespace dgp
