// What the tools around a program (tools/check: recording keys, checks run
// headless) see of it: its own steps, counted in its own time, and the keys,
// message boxes and end it meets. A check run also drives it: the program's
// clock is then this count alone, pauses return at once, and the tool answers
// key polls and message boxes. With no watch installed nothing changes.
#pragma once

#include <cstdint>

namespace dgp {

// The program's own time, in milliseconds: each poll of a key and each look
// at an empty message queue moves it by pollstep, a pause by its length (at
// least pollstep). The same program given the same keys at the same points
// of this time takes the same steps, however fast the machine is.
constexpr uint64_t pollstep = 1; // ms
extern uint64_t owntime;

enum class Step { keypoll, messagepoll, pause };

struct Watch {
    // A check run: the clock, pauses, key state and answers are the tool's.
    bool drives;
    // The program took a step; owntime has moved already.
    void (*stepped)(Step kind);
    // The program polled key vk and the key state says `down`; what it gets.
    bool (*keypoll)(int vk, bool down);
    // The program took a key message for vk from its queue.
    void (*keymessage)(int vk, bool down);
    // A message box is about to show: the answer (IDYES, IDNO, IDOK), or 0
    // to show it.
    int (*box)(const char *text, const char *caption, unsigned type);
    // The box shown was answered so.
    void (*answered)(int id);
    // The program ends with this exit code.
    void (*ended)(int code);
    // The program polled or paused and its window shows what it drew: a
    // frame as the viewer sees it between the program's own frames.
    void (*presented)();
};
extern const Watch *watch;

// Whether a check run drives the program.
inline bool driven() { return watch && watch->drives; }

// A step of the program: owntime moves by ms, and the watch is told.
void step(Step kind, uint64_t ms);

} // namespace dgp
