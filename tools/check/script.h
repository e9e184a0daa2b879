// Check scripts: the steps `dg check` runs a program through and F8 writes.
// A script is text, one step a line, # starting a comment:
//   wait MS                 the program runs MS milliseconds of its own time
//   press KEY, release KEY  the key goes down, up
//   tap KEY                 down until the program has read it, then up
//   idle                    until the program polls with nothing drawn
//   frame NAME              the window's pixels, compared with golden/NAME.png
//   answer yes|no|ok        how the next message box is answered
//   end                     the program has ended (exit code 1)
// KEY: a-z, 0-9, space, enter, esc, up, down, left, right.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dgtools {

enum class Op { wait, press, release, tap, idle, frame, answer, end };

struct Line {
    Op op = Op::end;
    int number = 0;   // its line in the script
    int vk = 0;       // press, release, tap
    uint64_t ms = 0;  // wait
    std::string name; // frame
    int answer = 0;   // IDYES, IDNO or IDOK
};

// The virtual-key code of a script's key name, or 0.
int keyvk(const std::string &name);
// The script's name of a key, or null for a key scripts cannot name.
const char *keyname(int vk);
// The script's word for a message box's answer.
const char *answerword(int id);

// Reads a script; on a fault, false and `error` naming the line.
bool parsescript(const std::string &text, std::vector<Line> &steps, std::string &error);

} // namespace dgtools
