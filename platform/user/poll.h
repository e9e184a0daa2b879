// What a poll of keys or messages does besides answering it: pending events
// are read, what changed is presented, and a program that does nothing but
// poll waits for input instead of keeping a core busy.
//
// The program is idle when, for idleafter, nothing was drawn, no key or
// window event came, and no time passed between one poll and the next (a
// program working between its polls is never made to wait). Then a poll of
// keys or messages first waits up to idlewait for input, waking at once on
// an event. In the browser this wait is also where the page gets control
// back.
#pragma once

#include <cstdint>

namespace dgp {

constexpr uint64_t idleafter = 5000000; // ns
constexpr uint64_t idlewait = 1000000;  // ns
// The time between two polls that counts as work done: more than the clock's
// step (each system's own, wait_desktop.cpp and wait_web.cpp).
extern const uint64_t busygap; // ns

// Drawing on any surface, and key or window events read: each counts as
// something the program did (drawnon, events.cpp).
extern uint64_t drawcount;
extern uint64_t eventcount;

// Nanoseconds of the precise monotonic clock.
uint64_t fineclock();

// A poll of the keys (GetAsyncKeyState): true when the key state is due to
// be read again, after the wait for input an idle program makes and with
// pending events read and presented. Between two readings a poll costs a
// look at the clock.
bool pollkeys();
// A poll of the message queue (PeekMessageA): the wait for input an idle
// program makes, then pending events read and presented.
void pollmessages();
// The program pauses (Sleep) or shows a message box: pending events read and
// presented.
void polled();

// What each system does in its own way (wait_desktop.cpp; in the browser
// wait_web.cpp):
// Waits until an event is pending or about ns have passed.
void waitforinput(uint64_t ns);
// The pause of Sleep: ms milliseconds, or a bare yield for 0.
void pausefor(uint32_t ms);
// Pixels were presented: the browser gets a turn to show them when one is
// due, about every frame, however busy the program is; nothing on the
// desktop, which shows them at once.
void giveturn();

} // namespace dgp
