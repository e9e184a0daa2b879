// The presenter: a window's pixels shown (showpixels) when they changed, at
// the moments present.h names.
#include "user/present.h"
#include "user/poll.h"
#include "user/window.h"
#include "toolhook.h"

#include <chrono>
#include <time.h>

namespace dgp {

namespace {
// The clock is read on the first write after a present and then every
// writesperclock writes. While writes come fast (two readings less than
// fastwrites apart) that count doubles up to maxwritesperclock; when they
// slow down (slowwrites apart) it falls back to 1, so what is drawn shows
// within about presentinterval either way.
constexpr uint64_t fastwrites = 250000;  // ns
constexpr uint64_t slowwrites = 1000000; // ns
constexpr int maxwritesperclock = 64;
} // namespace

// The coarse clock (a few milliseconds' resolution) is enough to keep
// presents about presentinterval apart and costs a fraction of the precise
// one.
uint64_t now() {
    if (driven()) return owntime * 1000000u;
#if defined(CLOCK_MONOTONIC_COARSE)
    timespec t;
    if (clock_gettime(CLOCK_MONOTONIC_COARSE, &t) == 0)
        return (uint64_t)t.tv_sec * 1000000000u + (uint64_t)t.tv_nsec;
#endif
    return (uint64_t)std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

namespace {
// Shows the pixels if they changed; no turn for the browser.
bool show(Window *w) {
    if (!w || !w->sdl || !w->presenter.dirty) return false;
    w->presenter.dirty = false;
    // A check run shows nothing: its frames are read from the pixels.
    if (driven()) return false;
    w->presenter.shown = now();
    showpixels(w);
    return true;
}
} // namespace

void present(Window *w) {
    if (show(w)) giveturn();
}

void turnafter(const Presenter *p) {
    if (p) giveturn();
}

void presentdue(Presenter *p) {
    const uint64_t t = now();
    if (p->dirty) {
        if (t - p->checked < fastwrites)
            p->writesperclock = std::min(p->writesperclock * 2, maxwritesperclock);
        else if (t - p->checked >= slowwrites)
            p->writesperclock = 1;
    }
    p->dirty = true;
    p->checked = t;
    p->left = p->writesperclock;
    if (t - p->shown >= presentinterval) show(p->win);
}

} // namespace dgp
