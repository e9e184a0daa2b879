// An idle program's wait for input in the browser, its pauses, and the turns
// the page gets while it draws. Every wait gives the page back to the browser
// (Asyncify): a program in getch, wait or a polling loop keeps the tab
// responsive, and a key wakes it at once.
#include "user/poll.h"

#include <emscripten.h>

extern "C" {
// web.js: 1 when an input event ended the wait, 0 when ms passed.
int dg_wait_input(int ms);
// web.js: one turn for the browser, back at once.
void dg_yield(void);
}

namespace dgp {

// The browser's clock (performance.now) reads in steps of 0.1 ms, with
// jitter: two polls with no work between them can read that far apart.
const uint64_t busygap = 1000000; // ns

namespace {

// An idle program waits a frame at a time, so that one that polls while it
// keeps time itself is late by a frame at most; after a second with no
// input it waits longer, and a page left waiting costs almost nothing.
constexpr int framems = 16;
constexpr int longwaitms = 100;
constexpr int framesbeforelong = 60;

int quiet;       // waits in a row that input did not end
double lastturn; // when the browser last had a turn (ms)

void turned() { lastturn = emscripten_get_now(); }

} // namespace

void waitforinput(uint64_t) {
    // A program that worked since the last wait starts again with short ones.
    if (emscripten_get_now() - lastturn > framems) quiet = 0;
    const bool input = dg_wait_input(quiet >= framesbeforelong ? longwaitms : framems) != 0;
    quiet = input ? 0 : quiet + 1;
    turned();
}

void pausefor(uint32_t ms) {
    if (ms == 0) {
        giveturn();
        return;
    }
    emscripten_sleep(ms);
    turned();
}

void giveturn() {
    if (emscripten_get_now() - lastturn < framems) return;
    dg_yield();
    turned();
}

} // namespace dgp
