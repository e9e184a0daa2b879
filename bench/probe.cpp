// The program the system benchmark (sysbench.cpp) starts, in one role per
// run, chosen by DG_PROBE (it is the benchmark's own; dg programs read no
// environment):
//   startup  prints the nanoseconds from DG_PROBE_T0 (when it was started) to
//            Main, which start-up calls after the first frame is shown
//   kbhit    prints how many kbhit() calls answer in a second, no key held,
//            in a loop that draws a pixel between them (a program at work),
//            then in a loop that does nothing else (idle: it waits for input)
//   getch    waits in getch(); prints the clock each time it returns, waits
//            for the key to go up, and ends on q
//   game     prints frames per second of a game loop (51 boxes, ML, kbhit),
//            then of the same loop without kbhit
#include "dg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

unsigned long long clockns() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (unsigned long long)t.tv_sec * 1000000000ull + (unsigned long long)t.tv_nsec;
}

void say(const char *format, unsigned long long v) {
    std::printf(format, v);
    std::fflush(stdout);
}

void drawframe(int n) {
    for (int i = 0; i < 51; i++)
        dg_box(gvram, (i * 37 + n) % 300, (i * 23 + n) % 180, 20, 20, 1, (short)(32 + i));
}

double gamefps(bool poll) {
    const unsigned long long start = clockns();
    int frames = 0;
    while (clockns() - start < 2000000000ull) {
        drawframe(frames);
        ML();
        if (poll) kbhit();
        frames++;
    }
    return frames / ((clockns() - start) / 1e9);
}

} // namespace

int Main(void) {
    const char *role = std::getenv("DG_PROBE");
    if (!role) return 0;
    if (!std::strcmp(role, "startup")) {
        const char *t0 = std::getenv("DG_PROBE_T0");
        say("%llu\n", clockns() - (t0 ? std::strtoull(t0, nullptr, 10) : 0));
    } else if (!std::strcmp(role, "kbhit")) {
        ML();
        for (int drawing = 1; drawing >= 0; drawing--) {
            unsigned long long calls = 0;
            const unsigned long long start = clockns();
            while (clockns() - start < 1000000000ull) {
                for (int i = 0; i < 100; i++) {
                    if (drawing) dg_pset(gvram, i, 0, (short)(calls & 15));
                    kbhit();
                }
                calls += 100;
            }
            say("%llu\n", calls * 1000000000ull / (clockns() - start));
        }
    } else if (!std::strcmp(role, "getch")) {
        dg_setvideomode(19);
        dg_printf(10, 10, 15, "waiting in getch");
        say("ready %llu\n", clockns());
        for (;;) {
            const int c = getch();
            say("%llu\n", clockns());
            if (c == 'q') break;
            while (kbhit()) {
            }
        }
    } else if (!std::strcmp(role, "game")) {
        ML();
        say("%llu\n", (unsigned long long)(gamefps(true) + 0.5));
        say("%llu\n", (unsigned long long)(gamefps(false) + 0.5));
    }
    return 0;
}
