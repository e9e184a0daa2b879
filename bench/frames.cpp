// dg_frames: the benchmark's whole frame (frame.h) drawn again and again, at
// bai 1 and at bai 0, and the frames per second of each printed, the best of
// a few runs of a few seconds. A program like any other: natively it runs
// under SDL's dummy driver as well as in a window, and the web build makes it
// a page, so the same frame is timed in the browser.
#include "frame.h"

#include <chrono>
#include <cstdio>

namespace {
constexpr int runs = 3;
constexpr double seconds = 2.0; // each run
} // namespace

int Main(void) {
    HDC bb = dg_createBB();
    for (int b : {1, 0}) {
        dg_setscreen(0, 0, 320, 200, b, titlebar);
        dg_setvideomode(19);
        bench::frame(bb, 0); // the pictures made before timing
        double best = 0;
        for (int r = 0; r < runs; r++) {
            using clock = std::chrono::steady_clock;
            const clock::time_point start = clock::now();
            int n = 0;
            double t = 0;
            do {
                bench::frame(bb, n++);
                t = std::chrono::duration<double>(clock::now() - start).count();
            } while (t < seconds);
            if (n / t > best) best = n / t;
        }
        std::printf("frame/bb/bai%d %.1f frames/s\n", b, best);
        std::fflush(stdout);
    }
    dg_deleteBB(bb);
    return 0;
}
