// F12: the window's client pixels, exactly, as NAME-YYYYMMDD-HHMMSS.png.
#pragma once

#include "win32.h"

#include <ctime>
#include <string>
#include <vector>

namespace dgtools {

bool screenshot(HWND hwnd);
// Saves a screenshot as `name` (and, when golden is not empty, a copy of the
// same file as golden too); false when there was nothing to save.
bool screenshotas(HWND hwnd, const std::string &name, const std::string &golden);
// RGB rows of w x h as a PNG file's bytes (empty when it cannot).
std::vector<unsigned char> encodepng(const std::vector<unsigned char> &rgb, int w, int h);
// NAME-YYYYMMDD-HHMMSS.ext for the time t, with -2, -3, ... when a file of
// that name is there already.
std::string freshname(const std::string &program, std::time_t t, const char *ext);

} // namespace dgtools
