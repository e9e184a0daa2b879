// The peer: Allegro 4 drawing the same pixels on 32-bit 1280 x 1024 memory
// bitmaps, headless. allegro.h defines many macros of its own, so this file
// includes nothing of dg.
#include "bench.h"

#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace bench {
namespace {

BITMAP *target, *source; // 1280 x 1024, as dg's back buffers
BITMAP *screenbmp[2];    // the window's client area at bai 0 (320 x 200) and bai 1 (640 x 400)
BITMAP *sprite, *picture;
int palette[256];

BITMAP *makebitmap(int w, int h, uint32_t (*px)(int, int)) {
    BITMAP *b = create_bitmap_ex(32, w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            uint32_t p = px(x, y);
            putpixel(b, x, y, makecol32(p >> 16, (p >> 8) & 0xFF, p & 0xFF));
        }
    return b;
}

bool prepare() {
    static int state = 0; // 1 ready, -1 failed
    if (state) return state > 0;
    state = -1;
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return false;
    set_color_depth(32);
    target = create_bitmap_ex(32, areaw, areah);
    source = create_bitmap_ex(32, areaw, areah);
    screenbmp[0] = create_bitmap_ex(32, 320, 200);
    screenbmp[1] = create_bitmap_ex(32, 640, 400);
    if (!target || !source || !screenbmp[0] || !screenbmp[1]) return false;
    clear_to_color(target, makecol32(255, 255, 255));
    clear_to_color(source, makecol32(255, 255, 255));
    sprite = makebitmap(16, 16, spritepx);
    picture = makebitmap(320, 200, picturepx);
    for (int i = 0; i < 256; i++) palette[i] = makecol32(i, 255 - i, (i * 7) & 0xFF);
    state = 1;
    return true;
}

int colour(int i) { return palette[32 + (i & 63)]; }

// A logical pixel, drawn as dg draws it: a 2 x 2 block at scale 2.
struct Plot {
    BITMAP *b;
    int k, c;
    void pset(int x, int y) const {
        if (k == 2)
            rectfill(b, 2 * x, 2 * y, 2 * x + 1, 2 * y + 1, c);
        else
            putpixel(b, x, y, c);
    }
    void xline(int x, int y, int n) const {
        for (int i = 0; i < n; i++) pset(x + i, y);
    }
    void yline(int x, int y, int n) const {
        for (int i = 0; i < n; i++) pset(x, y + i);
    }
};

// Logical rectangles in Allegro's inclusive corners.
void fillbox(BITMAP *b, int k, int x, int y, int w, int h, int c) {
    rectfill(b, k * x, k * y, k * (x + w) - 1, k * (y + h) - 1, c);
}

template <class F> void add(const char *op, int w, int h, F f) {
    for (int b : {1, 0}) {
        std::string name = std::string("allegro/") + op + "/bai" + std::to_string(b);
        fixed(benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State &st) {
            if (!prepare()) {
                st.SkipWithError("Allegro 4 could not start");
                return;
            }
            const int k = b == 1 ? 2 : 1;
            Walk walk(w, h);
            int i = 0;
            for (auto _ : st) {
                f(k, walk, i++);
                walk.step();
            }
            st.SetItemsProcessed(st.iterations());
        }));
    }
}

void segment(int k, const Walk &w, const Seg &s, int i) {
    line(w.x + s.x1, w.y + s.y1, w.x + s.x2, w.y + s.y2, Plot{target, k, colour(i)});
}

// A copy at scale k: plain at 1 : 1, stretched at 2.
void copy(BITMAP *from, BITMAP *to, int x, int y, int k, bool masked) {
    if (k == 1) {
        if (masked)
            masked_blit(from, to, 0, 0, x, y, from->w, from->h);
        else
            blit(from, to, 0, 0, x, y, from->w, from->h);
    } else if (masked) {
        masked_stretch_blit(from, to, 0, 0, from->w, from->h, 2 * x, 2 * y, 2 * from->w,
                            2 * from->h);
    } else {
        stretch_blit(from, to, 0, 0, from->w, from->h, 2 * x, 2 * y, 2 * from->w, 2 * from->h);
    }
}

void frame(int k, int n) {
    clear_to_color(target, palette[0]);
    copy(picture, target, 0, 0, k, false);
    for (int i = 0; i < framesprites; i++) {
        int x, y;
        framesprite(i, x, y);
        copy(sprite, target, x, y, k, true);
    }
    for (int i = 0; i < framelines; i++) {
        Seg s = frameline(i);
        line(s.x1, s.y1, s.x2, s.y2, Plot{target, k, colour(i)});
    }
    for (int i = 0; i < framecircles; i++) {
        int cx, cy, r;
        framecircle(i, cx, cy, r);
        circle(cx, cy, r, Plot{target, k, colour(i)});
    }
    BITMAP *scr = screenbmp[k - 1];
    textprintf_ex(scr, font, 10 * k, 10 * k, palette[15], palette[0], "cnt:%d", n);
    blit(target, scr, 0, 0, 0, 0, areaw, areah);
}

} // namespace

void registerpeer() {
    add("pset", 320, 200, [](int k, const Walk &w, int i) {
        Plot{target, k, colour(i)}.pset(w.x, w.y);
    });
    add("pget", 320, 200, [](int k, const Walk &w, int) {
        benchmark::DoNotOptimize(getpixel(target, k * w.x, k * w.y));
    });
    // A span as one call of the peer's own: hline, or a 2-pixel-high rectfill.
    add("xline100", 220, 200, [](int k, const Walk &w, int i) {
        if (k == 1)
            hline(target, w.x, w.y, w.x + 99, colour(i));
        else
            fillbox(target, k, w.x, w.y, 100, 1, colour(i));
    });
    add("box20", 300, 180, [](int k, const Walk &w, int i) {
        if (k == 1) {
            rect(target, w.x, w.y, w.x + 19, w.y + 19, colour(i));
            return;
        }
        fillbox(target, k, w.x, w.y, 20, 1, colour(i));
        fillbox(target, k, w.x, w.y + 19, 20, 1, colour(i));
        fillbox(target, k, w.x, w.y, 1, 20, colour(i));
        fillbox(target, k, w.x + 19, w.y, 1, 20, colour(i));
    });
    // The same spans and outlines pixel by pixel, as dg draws them: a 2 x 2
    // rectfill (or a putpixel) per logical pixel.
    add("xline100/perpixel", 220, 200, [](int k, const Walk &w, int i) {
        Plot{target, k, colour(i)}.xline(w.x, w.y, 100);
    });
    add("box20/perpixel", 300, 180, [](int k, const Walk &w, int i) {
        const Plot p{target, k, colour(i)};
        p.xline(w.x, w.y, 20);
        p.xline(w.x, w.y + 19, 20);
        p.yline(w.x, w.y, 20);
        p.yline(w.x + 19, w.y, 20);
    });
    add("boxfill20", 300, 180,
        [](int k, const Walk &w, int i) { fillbox(target, k, w.x, w.y, 20, 20, colour(i)); });
    add("gcls", 1, 1, [](int, const Walk &, int i) { clear_to_color(target, colour(i)); });
    add("line/shallow", 260, 140, [](int k, const Walk &w, int i) { segment(k, w, shallow, i); });
    add("line/steep", 260, 140, [](int k, const Walk &w, int i) { segment(k, w, steep, i); });
    add("line/diagonal", 260, 140, [](int k, const Walk &w, int i) { segment(k, w, diagonal, i); });
    add("circle4-60", 200, 80, [](int k, const Walk &w, int i) {
        circle(w.x + 60, w.y + 60, smallradius(i), Plot{target, k, colour(i)});
    });
    add("circle10", 300, 180, [](int k, const Walk &w, int i) {
        circle(w.x + 10, w.y + 10, 10, Plot{target, k, colour(i)});
    });
    add("circle30", 260, 140, [](int k, const Walk &w, int i) {
        circle(w.x + 30, w.y + 30, 30, Plot{target, k, colour(i)});
    });
    add("circle100", 1, 1, [](int k, const Walk &, int i) {
        circle(160, 100, 100, Plot{target, k, colour(i)});
    });
    add("drawbmp/sprite", 304, 184,
        [](int k, const Walk &w, int) { copy(sprite, target, w.x, w.y, k, false); });
    add("drawbmp/picture", 1, 1,
        [](int k, const Walk &, int) { copy(picture, target, 0, 0, k, false); });
    add("drawbmp3/sprite", 304, 184,
        [](int k, const Walk &w, int) { copy(sprite, target, w.x, w.y, k, true); });
    add("drawbmp3/picture", 1, 1,
        [](int k, const Walk &, int) { copy(picture, target, 0, 0, k, true); });
    add("drawbmp4/half", 1, 1, [](int, const Walk &, int) {
        masked_stretch_blit(picture, target, 0, 0, 320, 200, 0, 0, 160, 100);
    });
    add("flip", 1, 1,
        [](int, const Walk &, int) { blit(source, target, 0, 0, 0, 0, areaw, areah); });
    add("printf", 280, 180, [](int k, const Walk &w, int i) {
        textprintf_ex(screenbmp[k - 1], font, k * w.x, k * w.y, colour(i), palette[0], "cnt:%d", i);
    });
    for (int b : {1, 0}) {
        std::string name = "allegro/frame/bai" + std::to_string(b);
        fixed(benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State &st) {
            if (!prepare()) {
                st.SkipWithError("Allegro 4 could not start");
                return;
            }
            int n = 0;
            for (auto _ : st) frame(b == 1 ? 2 : 1, n++);
            st.SetItemsProcessed(st.iterations());
        }));
    }
}

} // namespace bench
