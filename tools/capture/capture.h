// The tools a program's keys reach, beside what the program itself reads:
// F12 saves a screenshot. The runtime's window procedure hands over every key
// it has no use of; where keys are read while the program polls
// (platform/), they come from there.
#pragma once

#include "win32.h"

#include <string>
#include <vector>

// Takes the key for a tool: 1 when it did (the key does nothing else).
int dg_toolkey(HWND hwnd, unsigned vk);

namespace dgtools {

// The client area of the window as 8-bit RGB rows; w and h its size.
std::vector<unsigned char> clientpixels(HWND hwnd, int &w, int &h);
// The program's name: its executable's, without folder or extension.
std::string programname();
// Saves the bytes as a file of the name given (UTF-8 or, on Windows, the
// system's code page) in the current folder, or in a page offers it as a
// download. A line on standard error says where it went.
bool savefile(const std::string &name, const std::vector<unsigned char> &bytes);
// Whether a file of that name is there (never in a page).
bool fileexists(const std::string &name);

} // namespace dgtools
