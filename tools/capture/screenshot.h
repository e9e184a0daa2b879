// F12: the window's client pixels, exactly, as NAME-YYYYMMDD-HHMMSS.png.
#pragma once

#include "win32.h"

#include <ctime>
#include <string>

namespace dgtools {

bool screenshot(HWND hwnd);
// NAME-YYYYMMDD-HHMMSS.ext for the time t, with -2, -3, ... when a file of
// that name is there already.
std::string freshname(const std::string &program, std::time_t t, const char *ext);

} // namespace dgtools
