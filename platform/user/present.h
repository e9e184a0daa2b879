// How a window's pixels reach the screen. Drawing on a window DC goes straight
// into the window's pixels; the presenter shows them when the program pumps,
// polls, sleeps, opens a message box or ends, and at most every
// presentinterval while it draws. Between two readings of the clock a write
// only counts down, so drawing on the window costs what drawing on a memory DC
// costs.
#pragma once

#include <cstdint>

namespace dgp {

struct Window;

// While drawing, what is drawn shows within this time.
constexpr uint64_t presentinterval = 16000000; // ns
// A window that is not drawn on is shown again this often while the program
// polls or pauses (poll.cpp): an X server
// without backing store may drop a window's contents right after mapping it
// with no expose event, so the window shows itself again rather than stay
// blank.
constexpr uint64_t refreshinterval = 250000000; // ns

struct Presenter {
    Window *win = nullptr;
    bool dirty = false;     // drawn on since last presented
    int left = 0;           // writes before the clock is read again
    int writesperclock = 1; // writes between two readings of the clock
    uint64_t checked = 0;   // when the clock was last read for a write
    uint64_t shown = 0;     // when the pixels were last presented
};

// Nanoseconds of a monotonic clock, coarse but cheap.
uint64_t now();

// Show the window's pixels now if they changed since last time, and give
// the browser its turn when one is due (giveturn).
void present(Window *w);

// The system's way of showing the window's pixels: its SDL surface
// (show.cpp), in the browser the canvas (show_web.cpp).
void showpixels(Window *w);

// After a block transfer or text on a DC with presenter p (none for a memory
// DC): on the window, the browser gets its turn when one is due, so that a
// program drawing without pause shows what it drew. Only these whole calls
// give the turn; a write inside the pixel loops (drawnon) never waits, so no
// loop has to be ready to be suspended.
void turnafter(const Presenter *p);

// A write on the window's pixels after the countdown ran out (drawnon).
void presentdue(Presenter *p);

// Drawing on any surface, counted (poll.h).
extern uint64_t drawcount;

// A write on a DC's pixels: p is the window's presenter, or none for a
// memory DC.
inline void drawnon(Presenter *p) {
    drawcount++;
    if (p && (!p->dirty || --p->left <= 0)) presentdue(p);
}

} // namespace dgp
