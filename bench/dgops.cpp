// dg's drawing operations, each on a back buffer and on the window surface,
// at bai 1 (every logical pixel a 2 x 2 block) and bai 0 (1 : 1).
#include "bench.h"
#include "frame.h"
#include "host.h"

#include <benchmark/benchmark.h>

#include <string>

namespace bench {
namespace {

HDC backbuffer, source; // the drawing target and the flipped source, 1280 x 1024
HDC sprite, picture;    // memory surfaces holding the two pictures

void prepare() {
    if (backbuffer) return;
    backbuffer = dg_createBB();
    source = dg_createBB();
    sprite = makesurface(16, 16, spritepx);
    picture = makesurface(320, 200, picturepx);
}

// The screen at scale b (1 or 0) with the text font of that scale.
void setbai(int b) {
    if (bai != b || !hfont) {
        dg_setscreen(0, 0, 320, 200, b, titlebar);
        dg_setvideomode(19);
    }
}

constexpr COLORREF toumei = RGB(key >> 16, (key >> 8) & 0xFF, key & 0xFF);

short colour(int i) { return (short)(32 + (i & 63)); }

enum Where { bb = 1, win = 2, both = 3 };

// Registers op on the surfaces `where`, at both scales; f(hdc, walk, i) draws
// once. The walk covers w x h logical positions.
template <class F> void add(const char *op, int where, int w, int h, F f) {
    for (int b : {1, 0})
        for (int s : {bb, win}) {
            if (!(where & s)) continue;
            std::string name =
                std::string("dg/") + op + (s == bb ? "/bb" : "/win") + "/bai" + std::to_string(b);
            addrow(name);
            fixed(benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State &st) {
                prepare();
                setbai(b);
                HDC hdc = s == bb ? backbuffer : gvram;
                Walk walk(w, h);
                int i = 0;
                for (auto _ : st) {
                    f(hdc, walk, i++);
                    walk.step();
                }
                st.SetItemsProcessed(st.iterations());
            }));
        }
}

void segment(HDC hdc, const Walk &w, const Seg &s, int i) {
    dg_line(hdc, w.x + s.x1, w.y + s.y1, w.x + s.x2, w.y + s.y2, colour(i));
}

} // namespace

void registerdg() {
    add("pset", both, 320, 200,
        [](HDC h, const Walk &w, int i) { dg_pset(h, w.x, w.y, colour(i)); });
    add("pget", both, 320, 200,
        [](HDC h, const Walk &w, int) { benchmark::DoNotOptimize(dg_pget(h, w.x, w.y)); });
    add("xline100", both, 220, 200,
        [](HDC h, const Walk &w, int i) { dg_xline(h, w.x, w.y, 100, colour(i)); });
    add("box20", both, 300, 180,
        [](HDC h, const Walk &w, int i) { dg_box(h, w.x, w.y, 20, 20, 0, colour(i)); });
    add("boxfill20", both, 300, 180,
        [](HDC h, const Walk &w, int i) { dg_box(h, w.x, w.y, 20, 20, 1, colour(i)); });
    add("gcls", both, 1, 1, [](HDC h, const Walk &, int i) { dg_gcls(h, colour(i)); });
    add("line/shallow", both, 260, 140,
        [](HDC h, const Walk &w, int i) { segment(h, w, shallow, i); });
    add("line/steep", both, 260, 140, [](HDC h, const Walk &w, int i) { segment(h, w, steep, i); });
    add("line/diagonal", both, 260, 140,
        [](HDC h, const Walk &w, int i) { segment(h, w, diagonal, i); });
    // Centred so that every radius stays on the 320 x 200 screen.
    add("circle4-60", both, 200, 80, [](HDC h, const Walk &w, int i) {
        dg_circle(h, w.x + 60, w.y + 60, smallradius(i), colour(i));
    });
    add("circle10", both, 300, 180,
        [](HDC h, const Walk &w, int i) { dg_circle(h, w.x + 10, w.y + 10, 10, colour(i)); });
    add("circle30", both, 260, 140,
        [](HDC h, const Walk &w, int i) { dg_circle(h, w.x + 30, w.y + 30, 30, colour(i)); });
    add("circle100", both, 1, 1,
        [](HDC h, const Walk &, int i) { dg_circle(h, 160, 100, 100, colour(i)); });
    add("drawbmp/sprite", both, 304, 184,
        [](HDC h, const Walk &w, int) { dg_drawbmp(h, w.x, w.y, 16, 16, sprite); });
    add("drawbmp/picture", both, 1, 1,
        [](HDC h, const Walk &, int) { dg_drawbmp(h, 0, 0, 320, 200, picture); });
    add("drawbmp3/sprite", both, 304, 184,
        [](HDC h, const Walk &w, int) { dg_drawbmp3(h, w.x, w.y, 16, 16, sprite, 0, 0, toumei); });
    add("drawbmp3/picture", both, 1, 1,
        [](HDC h, const Walk &, int) { dg_drawbmp3(h, 0, 0, 320, 200, picture, 0, 0, toumei); });
    // The 320 x 200 picture shrunk 2 : 1 on the device: 160 x 100 device pixels.
    add("drawbmp4/half", both, 1, 1, [](HDC h, const Walk &, int) {
        int k = bai == 1 ? 2 : 1;
        dg_drawbmp4(h, 0, 0, 160 / k, 100 / k, picture, 0, 0, 320, 200, toumei);
    });
    add("flip", both, 1, 1, [](HDC h, const Walk &, int) { dg_flip(h, source); });
    // Text always goes to the window.
    add("printf", win, 280, 180,
        [](HDC, const Walk &w, int i) { dg_printf(w.x, w.y, colour(i), "cnt:%d", i); });

    for (int b : {1, 0}) {
        std::string name = "dg/frame/bb/bai" + std::to_string(b);
        addrow(name);
        fixed(benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State &st) {
            prepare();
            setbai(b);
            int n = 0;
            for (auto _ : st) frame(backbuffer, n++);
            st.SetItemsProcessed(st.iterations());
        }));
    }
}

} // namespace bench
