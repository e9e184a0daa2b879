// F9: what the window shows, recorded as an animated GIF,
// NAME-YYYYMMDD-HHMMSS.gif: the frames as they were presented, at most
// maxframerate a second, each with its real duration; a recording ends at
// F9, after maxseconds, or when the program ends.
#pragma once

#include "win32.h"

namespace dgtools {

constexpr int maxframerate = 50;
constexpr int maxseconds = 60;

// F9: starts or ends a recording; false where there is none (Windows, the page).
bool togglegif(HWND hwnd);
// The window's pixels were presented (a frame the viewer saw).
void gifframe();
// The program ends: a recording under way is written out.
void gifend();

} // namespace dgtools
