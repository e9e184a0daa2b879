// What the benchmark's translation units share. It includes neither dg.h nor
// allegro.h: the two libraries never meet in one translation unit.
//
// Names are regular so the table can pair them:
//   dg/<operation>/<bb|win>/bai<k>   dg on a back buffer or on the window
//   allegro/<operation>/bai<k>       the same pixels drawn by Allegro 4
//   plain/memset, plain/memcpy       the memory limit for 1280 x 1024 x 4 bytes
#pragma once

#include <cstdint>
#include <string>

namespace bench {

// The fixed area of dg_gcls, dg_createBB and dg_flip.
constexpr int areaw = 1280, areah = 1024;

// The sprite (16 x 16) and the picture (320 x 200) both sides draw, as
// 0x00RRGGBB; `key` marks the pixels left out by the transparent copies.
constexpr uint32_t key = 0xFF00FF;
uint32_t spritepx(int x, int y);
uint32_t picturepx(int x, int y);

// Positions that move over the logical 320 x 200 screen from one iteration to
// the next, so no benchmark keeps hitting the same few cache lines.
struct Walk {
    int x = 0, y = 0;
    int w, h;
    Walk(int width = 320, int height = 200) : w(width), h(height) {}
    void step() {
        x += 37;
        if (x >= w) x -= w;
        y += 23;
        if (y >= h) y -= h;
    }
};

// The lines of the line benchmarks: about 60 logical pixels long.
struct Seg {
    int x1, y1, x2, y2;
};
constexpr Seg shallow{0, 0, 60, 17}, steep{0, 0, 17, 60}, diagonal{0, 0, 43, 43};

// The frame: its lines and circles, the same on both sides.
constexpr int framesprites = 500, framelines = 200, framecircles = 50;
Seg frameline(int i);
void framecircle(int i, int &cx, int &cy, int &r);
void framesprite(int i, int &x, int &y);

// dg's line and 360-segment circle algorithms over any plot, for the peer.
template <class Plot> void line(int x1, int y1, int x2, int y2, Plot plot) {
    int dx = x2 - x1, dy = y2 - y1, e = 0;
    if (dx == 0) {
        int y0 = y1 < y2 ? y1 : y2, n = (dy < 0 ? -dy : dy) + 1;
        plot.yline(x1, y0, n);
        return;
    }
    if (dy == 0) {
        int x0 = x1 < x2 ? x1 : x2, n = (dx < 0 ? -dx : dx) + 1;
        plot.xline(x0, y1, n);
        return;
    }
    int sx = dx >= 0 ? 1 : -1, sy = dy >= 0 ? 1 : -1;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    int x = x1, y = y1;
    if (dx > dy) {
        for (int i = 0; i <= dx; i++) {
            plot.pset(x, y);
            e += dy;
            if (e >= dx) y += sy, e -= dx;
            x += sx;
        }
    } else {
        for (int i = 0; i <= dy; i++) {
            plot.pset(x, y);
            e += dx;
            if (e >= dy) x += sx, e -= dy;
            y += sy;
        }
    }
}
// The cosine and sine of every whole degree, worked out once, as dg's circle
// keeps them: both sides take the polygon's corners from such a table.
struct Turn {
    double c[360], s[360];
};
const Turn &turn();
template <class Plot> void circle(int cx, int cy, int r, Plot plot) {
    const Turn &t = turn();
    int px = cx + r - 1, py = cy;
    for (int d = 1; d < 360; d++) {
        int x = (int)(cx + r * t.c[d]), y = (int)(cy + r * t.s[d]);
        line(px, py, x, y, plot);
        px = x;
        py = y;
    }
    line(px, py, cx + r - 1, cy, plot);
}
// The circles games draw: radius 4 to 60, a different one every iteration.
inline int smallradius(int i) { return 4 + i % 57; }

// With DG_BENCH_ITERATIONS=N in the environment every benchmark runs exactly
// N iterations, so a profiler (valgrind --tool=callgrind) sees the same work
// on every run and the count per operation is its total over N.
int fixediterations();
template <class B> B *fixed(B *b) {
    if (int n = fixediterations()) b->Iterations(n);
    return b;
}

// Registration, one per translation unit.
void registerdg();
void registerpeer(); // nothing where Allegro 4 is not installed
void registerplain();

// The table of a finished run (table.cpp): one row per dg benchmark, in the
// order they were registered, whatever order they ran in.
void addrow(const std::string &name);
void addrun(const char *name, double opspersec);
void printtable();

} // namespace bench
