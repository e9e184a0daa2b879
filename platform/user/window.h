// The one SDL window behind HWND.
#pragma once

#include "gdi/bitmap.h"
#include "user/present.h"

#include <SDL.h>
#include <string>
#include <vector>

namespace dgp {

// No client area is larger than this on either axis; nothing larger is
// allocated for one.
constexpr int maxclient = 8192;

// GetSystemMetrics indices beyond the runtime's own: the largest outer size
// of a framed window (the maximum tracking size).
constexpr int sm_cxmaxtrack = 59, sm_cymaxtrack = 60;

struct Window {
    SDL_Window *sdl = nullptr;
    HWND hwnd = nullptr;
    WNDPROC proc = nullptr;
    std::string cls;   // class name
    std::string title; // window text, code page 932
    DWORD style = 0, exstyle = 0, clsstyle = 0;
    uint32_t background = 0; // the class brush's colour, as a pixel
    RECT outer{};            // outer rectangle on the desktop
    Bitmap pixels;           // the client area, what the window DC draws on
    std::vector<HDC> dcs;    // DCs handed out by GetDC
    bool invalid = true;     // a WM_PAINT is due
    bool erase = true;       // and its BeginPaint erases the client area first
    bool fullscreen = false;
    Presenter presenter; // how the pixels reach the screen
};

Window *window(HWND h); // the window behind a handle, or none
Window *mainwindow();   // the program's window, or none
void initsdl();         // SDL's video, once

// The window's class by name (class.cpp); none when it is not registered.
const WNDCLASSA *findclass(const char *name);

// The frame that a style puts around the client area.
RECT frame(DWORD style);
// An outer size asked of a window of this style, held to what Windows lets
// it take: a framed window is at most the desktop and its frame.
void holdsize(DWORD style, long long &w, long long &h);
// Place the window's client area after a change of outer rectangle or style.
void placewindow(Window *w);
// The whole client area filled with the class background.
void erase(Window *w);

} // namespace dgp
