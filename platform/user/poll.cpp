// Polls of keys and messages, and the idle program's wait for input.
#include "user/poll.h"
#include "toolhook.h"
#include "user/present.h"
#include "user/queue.h"
#include "user/window.h"

#include <time.h>

namespace dgp {

uint64_t drawcount;
uint64_t eventcount;
uint64_t owntime;
const Watch *watch;

void step(Step kind, uint64_t ms) {
    owntime += ms;
    if (watch) watch->stepped(kind);
}

namespace {

// The key state is read at most this often while the program works; polls
// between answer from what was read, at the cost of a look at the clock. A
// key pressed shows within this, well inside a frame.
constexpr uint64_t keyrefresh = 500000; // ns
// While the program is idle every reading starts with the wait for input,
// and readings come this soon after one another: the polls of one round of
// the keys (getch looks at some forty) answer from one reading, and the next
// round waits.
constexpr uint64_t idlerefresh = 5000; // ns

struct Activity {
    uint64_t lastpoll = 0;  // when the program last polled
    uint64_t idlesince = 0; // since when it does nothing but poll
    uint64_t draws = 0, events = 0;
    uint64_t keysread = 0; // when the key state was last read
};
Activity act;

// Notes a poll at t; true when the program has been idle for idleafter.
bool idle(uint64_t t) {
    if (t - act.lastpoll > busygap || drawcount != act.draws || eventcount != act.events)
        act.idlesince = t;
    act.lastpoll = t;
    act.draws = drawcount;
    act.events = eventcount;
    return t - act.idlesince >= idleafter;
}

// The wait for input of an idle program; the time waited is not the
// program's work.
void wait() {
    waitforinput(idlewait);
    act.lastpoll = fineclock();
}

} // namespace

uint64_t fineclock() {
    if (driven()) return owntime * 1000000u;
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint64_t)t.tv_sec * 1000000000u + (uint64_t)t.tv_nsec;
}

bool pollkeys() {
    const uint64_t t = fineclock();
    const bool still = idle(t);
    if (t - act.keysread < (still ? idlerefresh : keyrefresh)) return false;
    if (still) wait();
    polled();
    act.keysread = act.lastpoll = fineclock();
    return true;
}

void pollmessages() {
    if (idle(fineclock())) wait();
    polled();
}

void polled() {
    pollevents();
    Window *w = mainwindow();
    if (!w) return;
    Presenter &p = w->presenter;
    if (!p.dirty && now() - p.shown >= refreshinterval) p.dirty = true;
    present(w);
    if (watch && watch->presented) watch->presented();
}

} // namespace dgp
