// Pixels, lines, circles, copies and the back buffer, observed with GetPixel.
#include "fixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace {

typedef std::set<std::pair<int, int>> Points;

// A memory surface in the window's format, cleared to black.
struct Surface {
    HDC dc;
    int w, h;
    Surface(int w_, int h_) : w(w_), h(h_) {
        openwindow();
        dc = CreateCompatibleDC(gvram);
        HBITMAP b = CreateCompatibleBitmap(gvram, w, h);
        SelectObject(dc, b);
        PatBlt(dc, 0, 0, w, h, BLACKNESS);
    }
    ~Surface() {
        HGDIOBJ b = GetCurrentObject(dc, OBJ_BITMAP);
        DeleteDC(dc);
        DeleteObject(b);
    }
    Points lit() const {
        Points p;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                if (GetPixel(dc, x, y) != 0) p.insert({x, y});
        return p;
    }
};

// Runs the test body at the given scale, then puts the default screen back.
struct Scale {
    explicit Scale(int b) {
        openwindow();
        dg_setscreen(0, 0, 320, 200, b, titlebar);
    }
    ~Scale() { dg_setscreen(0, 0, 320, 200, 1, titlebar); }
};

// The line walk with its error term starting at zero, as a list of points.
std::vector<std::pair<int, int>> model(int x1, int y1, int x2, int y2) {
    std::vector<std::pair<int, int>> out;
    int dx = x2 - x1, dy = y2 - y1, e = 0;
    int sx = dx >= 0 ? 1 : -1, sy = dy >= 0 ? 1 : -1;
    dx = abs(dx);
    dy = abs(dy);
    int x = x1, y = y1;
    if (dx > dy)
        for (int i = 0; i <= dx; i++) {
            out.push_back({x, y});
            e += dy;
            if (e >= dx) y += sy, e -= dx;
            x += sx;
        }
    else
        for (int i = 0; i <= dy; i++) {
            out.push_back({x, y});
            e += dx;
            if (e >= dy) x += sx, e -= dy;
            y += sy;
        }
    return out;
}

// The circle's 360 segments, each as model() walks it, between the corners
// at the whole degrees (truncated towards zero), from one pixel left of the
// rightmost point back to it.
std::vector<std::vector<std::pair<int, int>>> circlemodel(int cx, int cy, int r) {
    std::vector<std::vector<std::pair<int, int>>> out;
    int px = cx + r - 1, py = cy;
    for (int d = 1; d <= 360; d++) {
        int x = cx + r - 1, y = cy;
        if (d < 360) {
            double a = d * 3.1415926535 / 180.0;
            x = (int)(cx + r * cos(a));
            y = (int)(cy + r * sin(a));
        }
        out.push_back(model(px, py, x, y));
        px = x;
        py = y;
    }
    return out;
}

} // namespace

TEST(Pixels, PsetAtDoubleScaleFillsTwoByTwoBlock) {
    Scale s(1);
    Surface m(8, 8);
    dg_pset(m.dc, 1, 2, 15);
    EXPECT_EQ(m.lit(), (Points{{2, 4}, {3, 4}, {2, 5}, {3, 5}}));
    EXPECT_EQ(GetPixel(m.dc, 2, 4), 0xFCFCFCu);
    EXPECT_EQ(dg_pget(m.dc, 1, 2), 0xFCFCFCu);
    EXPECT_EQ(dg_pget(m.dc, 100, 0), CLR_INVALID);
    EXPECT_EQ(dg_pget(m.dc, INT_MAX, INT_MIN), CLR_INVALID);
}

TEST(Pixels, PsetAtSingleScaleSetsOnePixel) {
    Scale s(0);
    Surface m(8, 8);
    dg_pset(m.dc, 5, 7, 4);
    EXPECT_EQ(m.lit(), (Points{{5, 7}}));
    EXPECT_EQ(dg_pget(m.dc, 5, 7), 0x0000A8u);
    dg_pset(m.dc, 0, 0, 256 + 1); // low 8 bits choose the entry
    EXPECT_EQ(GetPixel(m.dc, 0, 0), 0xA80000u);
}

TEST(Pixels, BoxOutlinesAndFills) {
    Scale s(0);
    Surface m(8, 8);
    dg_box(m.dc, 0, 0, 4, 3, 0, 15);
    EXPECT_EQ(
        m.lit(),
        (Points{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 2}, {1, 2}, {2, 2}, {3, 2}, {0, 1}, {3, 1}}));
    Surface n(4, 4);
    dg_box(n.dc, 1, 1, 1, 1, 0, 15);
    EXPECT_EQ(n.lit(), (Points{{1, 1}}));
}

// Long runs (a clear) take another path than short ones, in black another
// again: each stops exactly at its edges.
TEST(Pixels, LongFillsStopAtTheirEdges) {
    Scale s(0);
    Surface m(300, 3);
    dg_box(m.dc, 0, 0, 300, 3, 1, 15);
    dg_box(m.dc, 10, 1, 280, 1, 1, 0);
    Points want;
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 300; x++)
            if (y != 1 || x < 10 || x >= 290) want.insert({x, y});
    EXPECT_EQ(m.lit(), want);
    EXPECT_EQ(GetPixel(m.dc, 290, 1), 0xFCFCFCu);
    dg_box(m.dc, 0, 1, 300, 2, 1, 0); // whole rows
    want.clear();
    for (int x = 0; x < 300; x++) want.insert({x, 0});
    EXPECT_EQ(m.lit(), want);
}

TEST(Pixels, FilledBoxAtDoubleScale) {
    Scale s(1);
    Surface m(16, 16);
    dg_box(m.dc, 1, 2, 3, 2, 1, 2);
    Points want;
    for (int y = 4; y <= 7; y++)
        for (int x = 2; x <= 7; x++) want.insert({x, y});
    EXPECT_EQ(m.lit(), want);
    EXPECT_EQ(GetPixel(m.dc, 7, 7), 0x00A800u);
}

TEST(Pixels, ExtremeSpansAndBoxesReturnAndDrawTheSame) {
    Scale s(1);
    Surface m(8, 8);
    dg_xline(m.dc, INT_MAX - 3, 0, 100, 15);
    dg_xline(m.dc, INT_MIN, 0, INT_MAX, 15);
    dg_yline(m.dc, 0, INT_MIN, INT_MAX, 15);
    dg_box(m.dc, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0, 15);
    dg_box(m.dc, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 1, 15);
    dg_line(m.dc, INT_MIN, 5000, INT_MAX, 6000, 15);
    dg_circle(m.dc, INT_MAX, INT_MAX, INT_MAX, 15);
    EXPECT_TRUE(m.lit().empty());
    dg_xline(m.dc, -5, 1, 7, 15); // reaches logical x 0 and 1
    EXPECT_EQ(m.lit(), (Points{{0, 2}, {1, 2}, {2, 2}, {3, 2}, {0, 3}, {1, 3}, {2, 3}, {3, 3}}));
    Surface n(8, 8);
    dg_box(n.dc, -1000000000, -1000000000, 1000000001, 1000000001, 1, 15);
    EXPECT_EQ(n.lit(), (Points{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
}

TEST(Lines, EveryOctantBothDirections) {
    Scale s(0);
    const int ends[][2] = {{7, 2},  {2, 7},  {-2, 7}, {-7, 2}, {-7, -2}, {-2, -7},
                           {2, -7}, {7, -2}, {5, 5},  {-5, 5}, {4, 1},   {0, 6}};
    for (auto &e : ends) {
        for (int dir = 0; dir < 2; dir++) {
            Surface m(20, 20);
            int x1 = 10, y1 = 10, x2 = 10 + e[0], y2 = 10 + e[1];
            if (dir) std::swap(x1, x2), std::swap(y1, y2);
            dg_line(m.dc, x1, y1, x2, y2, 15);
            Points want;
            for (auto p : model(x1, y1, x2, y2)) want.insert(p);
            EXPECT_EQ(m.lit(), want) << x1 << "," << y1 << " " << x2 << "," << y2;
        }
    }
    Surface m(8, 8);
    dg_line(m.dc, 0, 0, 4, 2, 15);
    EXPECT_EQ(m.lit(), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    Surface n(8, 8);
    dg_line(n.dc, 4, 2, 0, 0, 15);
    EXPECT_EQ(n.lit(), (Points{{4, 2}, {3, 2}, {2, 1}, {1, 1}, {0, 0}}));
}

TEST(Lines, CirclePoints) {
    Scale s(0);
    Surface m(200, 200);
    dg_circle(m.dc, 100, 100, 10, 15);
    Points p = m.lit();
    for (auto q : {std::make_pair(109, 100), {100, 110}, {90, 100}, {99, 90}, {108, 104}})
        EXPECT_TRUE(p.count(q)) << q.first << "," << q.second;
    EXPECT_FALSE(p.count({110, 100}));
    Surface z(200, 200);
    dg_circle(z.dc, 50, 60, 0, 15);
    EXPECT_EQ(z.lit(), (Points{{49, 60}, {50, 60}}));
    Surface n(200, 200);
    dg_circle(n.dc, 100, 100, -10, 15);
    Points q = n.lit();
    EXPECT_TRUE(q.count({89, 100}));
    EXPECT_TRUE(q.count({110, 100}) || q.count({109, 100}));
}

// Wholly on the surface, and across its edges, at both scales.
TEST(Lines, CirclesAreTheirSegmentsOnAndOffTheSurface) {
    const int circles[][3] = {{30, 30, 4}, {30, 30, 25}, {3, 40, 12}, {55, 58, 9}, {30, 30, -7}};
    for (int b : {0, 1}) {
        Scale s(b);
        const int k = b ? 2 : 1, side = 60;
        for (auto &c : circles) {
            Surface m(side * k, side * k);
            dg_circle(m.dc, c[0], c[1], c[2], 15);
            Points want;
            for (auto &seg : circlemodel(c[0], c[1], c[2]))
                for (auto p : seg)
                    for (int i = 0; i < k * k; i++) {
                        int x = p.first * k + i % k, y = p.second * k + i / k;
                        if (x >= 0 && y >= 0 && x < m.w && y < m.h) want.insert({x, y});
                    }
            EXPECT_EQ(m.lit(), want) << "bai " << b << ": " << c[0] << "," << c[1] << " r " << c[2];
        }
    }
}

TEST(Copies, PlainOffsetTransparentAndStretched) {
    for (int b : {0, 1}) {
        Scale s(b);
        const int k = b == 1 ? 2 : 1;
        Surface src(8, 8), dst(40, 40);
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 8; x++) SetPixel(src.dc, x, y, RGB(x * 16 + 8, y * 16 + 8, 1));
        SetPixel(src.dc, 3, 3, RGB(9, 9, 9));
        dg_drawbmp(dst.dc, 1, 1, 4, 4, src.dc);
        EXPECT_EQ(GetPixel(dst.dc, k, k), RGB(8, 8, 1));
        EXPECT_EQ(GetPixel(dst.dc, 4 * k + k - 1, 4 * k + k - 1), RGB(9, 9, 9));
        EXPECT_EQ(GetPixel(dst.dc, 3 * k, 4 * k), RGB(40, 56, 1));
        EXPECT_EQ(GetPixel(dst.dc, 5 * k, 5 * k), 0u);
        dg_drawbmp2(dst.dc, 10, 0, 2, 2, src.dc, 3, 4);
        EXPECT_EQ(GetPixel(dst.dc, 10 * k, 0), RGB(56, 72, 1));
        PatBlt(dst.dc, 0, 0, 40, 40, WHITENESS);
        dg_drawbmp3(dst.dc, 0, 0, 4, 4, src.dc, 2, 2, RGB(9, 9, 9));
        EXPECT_EQ(GetPixel(dst.dc, k, k), 0xFFFFFFu);      // source (3,3) left out
        EXPECT_EQ(GetPixel(dst.dc, 0, 0), RGB(40, 40, 1)); // source (2,2)
        PatBlt(dst.dc, 0, 0, 40, 40, BLACKNESS);
        dg_drawbmp4(dst.dc, 0, 0, 4, 4, src.dc, 0, 0, 8, 8, RGB(9, 9, 9));
        // Shrinking takes one of the source pixels that meet, the last column
        // of the first row (2 x 2 source pixels from (2, 2) here); Wine
        // combines them with AND.
        if (b == 1)
            EXPECT_EQ(GetPixel(dst.dc, 1, 1), RGB(24, 24, 1));
        else if (hook_wine())
            EXPECT_EQ(GetPixel(dst.dc, 1, 1), RGB(40 & 56 & 9, 40 & 56 & 9, 1));
        else
            EXPECT_EQ(GetPixel(dst.dc, 1, 1), RGB(56, 40, 1));
    }
}

TEST(Copies, StretchMatchesCentreSampling) {
    Surface src(16, 1), dst(32, 1);
    for (int x = 0; x < 16; x++) SetPixel(src.dc, x, 0, RGB(x + 1, 0x80, 0));
    for (auto sd : {std::make_pair(3, 5), {3, 7}, {5, 16}, {4, 8}}) {
        PatBlt(dst.dc, 0, 0, 32, 1, BLACKNESS);
        StretchBlt(dst.dc, 0, 0, sd.second, 1, src.dc, 0, 0, sd.first, 1, SRCCOPY);
        for (int i = 0; i < sd.second; i++)
            EXPECT_EQ(GetPixel(dst.dc, i, 0),
                      RGB(((2 * i + 1) * sd.first - 1) / (2 * sd.second) + 1, 0x80, 0))
                << sd.first << "->" << sd.second << " at " << i;
    }
    PatBlt(dst.dc, 0, 0, 32, 1, BLACKNESS);
    StretchBlt(dst.dc, 0, 0, 3, 1, src.dc, 0, 0, 5, 1, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc, 0, 0), RGB(1 & 2, 0x80, 0));
    EXPECT_EQ(GetPixel(dst.dc, 1, 0), RGB(3, 0x80, 0));
    EXPECT_EQ(GetPixel(dst.dc, 2, 0), RGB(4 & 5, 0x80, 0));
    PatBlt(dst.dc, 0, 0, 32, 1, BLACKNESS);
    StretchBlt(dst.dc, 4, 0, -4, 1, src.dc, 0, 0, 4, 1, SRCCOPY); // mirrored
    EXPECT_EQ(GetPixel(dst.dc, 4, 0), RGB(1, 0x80, 0));
    EXPECT_EQ(GetPixel(dst.dc, 1, 0), RGB(4, 0x80, 0));
    EXPECT_EQ(GetPixel(dst.dc, 0, 0), 0u);
    PatBlt(dst.dc, 0, 0, 32, 1, BLACKNESS);
    BitBlt(dst.dc, 0, 0, 8, 1, src.dc, -2, 0, SRCCOPY); // clipped source
    EXPECT_EQ(GetPixel(dst.dc, 1, 0), 0u);
    EXPECT_EQ(GetPixel(dst.dc, 2, 0), RGB(1, 0x80, 0));
}

// At the edges of the stretch rule, as GDI has them: a target one pixel wide
// takes a longer source less its last pixel (Windows' own tests check it); a
// pixel centre on the border between two goes to the lower one; a
// transparent colour with bit 24 set names an entry of the default palette
// (entry 0 past its end), one with 0x10FF on top an index into a colour
// table, which a 32-bit bitmap does not have (black), as for a pixel or a
// brush; and a transparent copy reads black where its source rectangle
// passes the bitmap.
TEST(Copies, EdgesOfTheStretchRuleAndTransparentColours) {
    Surface src(4, 2), dst(4, 1);
    const COLORREF a = RGB(0xFF, 0xF0, 0x0F), b = RGB(0xF0, 0xCC, 0x3C), c = RGB(0xCC, 0xAA, 0x0F),
                   d = RGB(0xAA, 0xFF, 0xF0);
    const COLORREF row[4] = {a, b, c, d};
    for (int x = 0; x < 4; x++) SetPixel(src.dc, x, 0, row[x]), SetPixel(src.dc, x, 1, row[3 - x]);
    auto stretch = [&](int w, int sw, int sh) {
        PatBlt(dst.dc, 0, 0, 4, 1, BLACKNESS);
        StretchBlt(dst.dc, 0, 0, w, 1, src.dc, 0, 0, sw, sh, SRCCOPY);
    };
    auto at = [&](int x) { return GetPixel(dst.dc, x, 0); };
    stretch(1, 2, 1);
    EXPECT_EQ(at(0), a);
    stretch(1, 3, 1);
    EXPECT_EQ(at(0), a & b);
    stretch(1, 4, 1);
    EXPECT_EQ(at(0), a & b & c);
    stretch(1, 2, 2); // and one pixel high: the first row and column only
    EXPECT_EQ(at(0), a);
    stretch(3, 2, 1);
    EXPECT_EQ(std::vector<COLORREF>({at(0), at(1), at(2)}), std::vector<COLORREF>({a, a, b}));
    stretch(2, 3, 1);
    EXPECT_EQ(std::vector<COLORREF>({at(0), at(1)}), std::vector<COLORREF>({a & b, c}));
    // Transparent: one source pixel of those that meet (Wine: AND).
    PatBlt(dst.dc, 0, 0, 4, 1, BLACKNESS);
    TransparentBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 3, 1, RGB(1, 2, 3));
    EXPECT_EQ(at(0), hook_wine() ? a & b : b);

    Surface keys(4, 1);
    const COLORREF kp[4] = {RGB(5, 0, 0), 0, RGB(0x80, 0, 0x80), RGB(0xC0, 0xC0, 0xC0)};
    for (int x = 0; x < 4; x++) SetPixel(keys.dc, x, 0, kp[x]);
    const struct {
        COLORREF key;
        int out;
    } cases[] = {{0x04000005, 0}, {0x01000005, 2},  {0x01000007, 3},
                 {0x10FF0005, 1}, {CLR_INVALID, 1}, {0x00000005, 0}};
    for (const auto &k : cases) {
        PatBlt(dst.dc, 0, 0, 4, 1, WHITENESS);
        TransparentBlt(dst.dc, 0, 0, 4, 1, keys.dc, 0, 0, 4, 1, k.key);
        for (int x = 0; x < 4; x++)
            EXPECT_EQ(at(x), x == k.out ? 0xFFFFFFu : kp[x]) << std::hex << k.key << " at " << x;
        // A pixel and a brush of that colour are the colour the key named.
        EXPECT_EQ(SetPixel(dst.dc, 0, 0, k.key), kp[k.out]) << std::hex << k.key;
        EXPECT_EQ(at(0), kp[k.out]) << std::hex << k.key;
        HBRUSH brush = CreateSolidBrush(k.key);
        HGDIOBJ old = SelectObject(dst.dc, brush);
        PatBlt(dst.dc, 1, 0, 1, 1, PATCOPY);
        DeleteObject(SelectObject(dst.dc, old));
        EXPECT_EQ(at(1), kp[k.out]) << std::hex << k.key;
    }
    // Off the bitmap: black, left out where black is the key.
    PatBlt(dst.dc, 0, 0, 4, 1, WHITENESS);
    TransparentBlt(dst.dc, 0, 0, 4, 1, src.dc, -2, 0, 4, 1, RGB(1, 2, 3));
    EXPECT_EQ(std::vector<COLORREF>({at(0), at(1), at(2), at(3)}),
              std::vector<COLORREF>({0, 0, a, b}));
    PatBlt(dst.dc, 0, 0, 4, 1, WHITENESS);
    TransparentBlt(dst.dc, 0, 0, 4, 1, src.dc, 2, 0, 4, 1, 0);
    EXPECT_EQ(std::vector<COLORREF>({at(0), at(1), at(2), at(3)}),
              std::vector<COLORREF>({c, d, 0xFFFFFF, 0xFFFFFF}));
}

// Mirrored copies where Windows' own tests pin them (on 16 x 16 bitmaps): a
// mirrored target past the surface's edge; a mirrored source past the
// bitmap's edge, whose part on the bitmap lands where an unmirrored copy puts
// it; a source longer than the bitmap into a mirrored target, likewise; and
// both lengths negative, which copies the rectangles from their other
// corners without mirroring (one pixel here, as dg_drawbmp2 of a negative
// size makes it). Wine mirrors both lengths instead.
TEST(Copies, MirroredWhereWindowsPinsThem) {
    Surface src(16, 16), dst(16, 16);
    const COLORREF p[4] = {RGB(0, 0xFF, 0), RGB(0, 0xF0, 0xF0), RGB(0, 0xCC, 0xCC),
                           RGB(0, 0xAA, 0xAA)},
                   q[2] = {RGB(0xFE, 0xDC, 0xBA), RGB(0x76, 0x54, 0x32)};
    for (int x = 0; x < 4; x++) SetPixel(src.dc, x, 0, p[x]);
    for (int x = 0; x < 2; x++) SetPixel(src.dc, x, 1, q[x]);
    typedef std::map<std::pair<int, int>, COLORREF> Shown;
    auto shown = [&]() {
        Shown m;
        for (auto xy : dst.lit()) m[xy] = GetPixel(dst.dc, xy.first, xy.second);
        return m;
    };
    auto stretch = [&](int x, int y, int w, int h, int sx, int sy, int sw, int sh) {
        PatBlt(dst.dc, 0, 0, 16, 16, BLACKNESS);
        StretchBlt(dst.dc, x, y, w, h, src.dc, sx, sy, sw, sh, SRCCOPY);
        return shown();
    };
    EXPECT_EQ(
        stretch(2, 2, -8, -8, 0, 0, 8, 8),
        (Shown{{{1, 1}, q[1]}, {{2, 1}, q[0]}, {{0, 2}, p[2]}, {{1, 2}, p[1]}, {{2, 2}, p[0]}}));
    EXPECT_EQ(
        stretch(0, 0, 8, 8, 2, 2, -8, -8),
        (Shown{{{6, 6}, q[1]}, {{7, 6}, q[0]}, {{5, 7}, p[2]}, {{6, 7}, p[1]}, {{7, 7}, p[0]}}));
    EXPECT_EQ(stretch(8, 8, -18, -18, 0, 0, 18, 18), (Shown{{{5, 5}, q[1]},
                                                            {{6, 5}, q[0]},
                                                            {{3, 6}, p[3]},
                                                            {{4, 6}, p[2]},
                                                            {{5, 6}, p[1]},
                                                            {{6, 6}, p[0]}}));
    // Moved so, the copy still writes only inside the rectangle asked for,
    // [-3, 1) here, where source pixel 1 would land on target pixel 1 (Wine;
    // Windows' tests say nothing of it).
    EXPECT_EQ(stretch(-3, 0, 4, 1, 14, 0, -16, 1), Shown{});
    const Shown both = stretch(1, 1, -2, -2, 1, 1, -2, -2);
    if (hook_wine())
        EXPECT_EQ(both, (Shown{{{0, 0}, p[0]}, {{1, 0}, p[1]}, {{0, 1}, q[0]}, {{1, 1}, q[1]}}));
    else
        EXPECT_EQ(both, (Shown{{{0, 0}, p[0]}}));

    Scale s(1);
    PatBlt(dst.dc, 0, 0, 16, 16, BLACKNESS);
    dg_drawbmp2(dst.dc, 4, 4, -2, -2, src.dc, 2, 2); // (8, 8, -4, -4) from (2, 2, -2, -2)
    Shown want;
    if (hook_wine()) { // mirrored twice: [5, 9) from [1, 3)
        for (int y = 5; y < 7; y++)
            for (int x = 5; x < 7; x++) want[{x, y}] = q[1];
    } else { // [4, 8) from [0, 2)
        for (int y = 4; y < 8; y++)
            for (int x = 4; x < 8; x++) want[{x, y}] = y < 6 ? p[(x - 4) / 2] : q[(x - 4) / 2];
    }
    EXPECT_EQ(shown(), want);
    PatBlt(dst.dc, 0, 0, 16, 16, BLACKNESS);
    dg_drawbmp(dst.dc, 4, 4, -2, -2, src.dc); // from [-2, 0): nothing on the bitmap
    if (!hook_wine()) {
        EXPECT_TRUE(dst.lit().empty());
    }
}

// The source steps that land on target step k of one axis: the one under the
// centre of the target pixel, or, when shrinking, every one whose centre
// falls on it; a centre on the border between two goes to the lower one.
std::vector<int> taken(int k, int dlen, int slen) {
    std::vector<int> j;
    if (dlen >= slen)
        j.push_back(((2 * k + 1) * slen - 1) / (2 * dlen));
    else
        for (int i = 0; i < slen; i++)
            if (((2 * i + 1) * dlen - 1) / (2 * slen) == k) j.push_back(i);
    return j;
}

// Copies one to one, at twice and at half the size (mirrored, of odd sizes,
// placed off the target's edges) give the pixels the per-pixel rule gives,
// with and without a transparent colour. A plain copy that shrinks combines
// the pixels that meet with AND; a transparent one takes the last column of
// their first row (Wine combines them with AND there too).
TEST(Copies, EveryShapeMatchesThePerPixelRule) {
    const int sw0 = 9, sh0 = 7, dw0 = 24, dh0 = 16;
    Surface src(sw0, sh0), dst(dw0, dh0);
    auto srcpx = [](int x, int y) -> COLORREF {
        if ((x * 3 + y) % 5 == 0) return RGB(9, 9, 9); // the transparent colour
        return RGB((x * 37 + y * 11) & 0xFF, (x * 5 ^ y * 13) & 0xFF, 0x80 | (x + y * 9));
    };
    auto back = [](int x, int y) -> COLORREF { return RGB(x * 10, y * 15, 0x33); };
    for (int y = 0; y < sh0; y++)
        for (int x = 0; x < sw0; x++) SetPixel(src.dc, x, y, srcpx(x, y));
    const COLORREF key = RGB(9, 9, 9);
    struct Shape {
        int w, h, sw, sh;
    };
    const Shape shapes[] = {{8, 6, 4, 3},  {10, 14, 5, 7}, {6, 4, 6, 4},   {9, 7, 9, 7},
                            {4, 3, 8, 6},  {3, 2, 6, 4},   {-8, 6, 4, 3},  {8, -6, 4, 3},
                            {-3, 2, 6, 4}, {6, 4, -6, 4},  {-6, -4, 3, 2}, {4, 3, -8, -6}};
    const int xs[] = {-5, 0, 3, 19}, ys[] = {-3, 2, 12};
    const std::pair<int, int> origins[] = {{0, 0}, {1, 2}, {0, 1}, {5, 4}, {8, 6}};
    int cases = 0;
    for (const Shape &sp : shapes)
        for (int x : xs)
            for (int y : ys)
                for (auto o : origins)
                    for (int transparent = 0; transparent < 2; transparent++) {
                        const bool negative = sp.w < 0 || sp.h < 0 || sp.sw < 0 || sp.sh < 0;
                        if (transparent && negative) continue; // refused by TransparentBlt
                        // Only sources wholly on the source surface: what GDI makes of
                        // the pixels off it is its own.
                        const int sx0 = sp.sw < 0 ? o.first + sp.sw + 1 : o.first;
                        const int sy0 = sp.sh < 0 ? o.second + sp.sh + 1 : o.second;
                        if (sx0 < 0 || sy0 < 0 || sx0 + abs(sp.sw) > sw0 || sy0 + abs(sp.sh) > sh0)
                            continue;
                        for (int py = 0; py < dh0; py++)
                            for (int px = 0; px < dw0; px++) SetPixel(dst.dc, px, py, back(px, py));
                        if (transparent)
                            TransparentBlt(dst.dc, x, y, sp.w, sp.h, src.dc, o.first, o.second,
                                           sp.sw, sp.sh, key);
                        else
                            StretchBlt(dst.dc, x, y, sp.w, sp.h, src.dc, o.first, o.second, sp.sw,
                                       sp.sh, SRCCOPY);
                        std::vector<COLORREF> want((size_t)dw0 * dh0);
                        for (int py = 0; py < dh0; py++)
                            for (int px = 0; px < dw0; px++) want[py * dw0 + px] = back(px, py);
                        const int dx = sp.w < 0 ? -1 : 1, dy = sp.h < 0 ? -1 : 1;
                        const int ex = sp.sw < 0 ? -1 : 1, ey = sp.sh < 0 ? -1 : 1;
                        for (int ky = 0; ky < abs(sp.h); ky++)
                            for (int kx = 0; kx < abs(sp.w); kx++) {
                                const int tx = x + dx * kx, ty = y + dy * ky;
                                if (tx < 0 || ty < 0 || tx >= dw0 || ty >= dh0) continue;
                                COLORREF v = 0xFFFFFF;
                                bool any = false, anyx = false, anyy = false;
                                std::vector<int> jys = taken(ky, abs(sp.h), abs(sp.sh)),
                                                 jxs = taken(kx, abs(sp.w), abs(sp.sw));
                                if (transparent && !hook_wine()) {
                                    jys = {jys.front()};
                                    jxs = {jxs.back()};
                                }
                                for (int jy : jys) {
                                    const int sy = o.second + ey * jy;
                                    if (sy < 0 || sy >= sh0) continue;
                                    anyy = true;
                                    for (int jx : jxs) {
                                        const int sx = o.first + ex * jx;
                                        if (sx < 0 || sx >= sw0) continue;
                                        anyx = true;
                                        v &= srcpx(sx, sy);
                                        any = true;
                                    }
                                }
                                if (!any || !anyx || !anyy) continue;
                                if (transparent && v == key) continue;
                                want[ty * dw0 + tx] = v;
                            }
                        for (int py = 0; py < dh0; py++)
                            for (int px = 0; px < dw0; px++)
                                ASSERT_EQ(GetPixel(dst.dc, px, py), want[py * dw0 + px])
                                    << (transparent ? "TransparentBlt" : "StretchBlt") << " to ("
                                    << x << ", " << y << ", " << sp.w << ", " << sp.h << ") from ("
                                    << o.first << ", " << o.second << ", " << sp.sw << ", " << sp.sh
                                    << ") at " << px << ", " << py;
                        cases++;
                    }
    EXPECT_GT(cases, 200);
}

TEST(BackBuffer, WhiteWhenNewFlipShowsBlock) {
    Scale s(1);
    HDC bb = dg_createBB();
    EXPECT_EQ(GetPixel(bb, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(bb, 1279, 1023), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(bb, 1280, 0), CLR_INVALID);
    dg_pset(bb, 3, 4, 12);
    dg_flip(gvram, bb);
    for (int y = 8; y <= 9; y++)
        for (int x = 6; x <= 7; x++) EXPECT_EQ(GetPixel(gvram, x, y), 0x5454FCu);
    EXPECT_EQ(GetPixel(gvram, 8, 8), 0xFFFFFFu);
    dg_gcls(bb, 0);
    dg_flip(gvram, bb);
    EXPECT_EQ(GetPixel(gvram, 639, 399), 0u);
    dg_deleteBB(bb);
}

// A window's DC deleted as if it were a buffer (dg_deleteBB of one from
// GetDC) is deleted as Windows deletes it: DeleteDC says yes, the handle is
// gone, and the window and its other DCs draw on.
TEST(BackBuffer, WindowDCDeletedAsABufferIsGoneAndTheWindowStays) {
    Scale s(1);
    HDC dc = GetDC(dg_window());
    ASSERT_NE(dc, nullptr);
    EXPECT_NE(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_FALSE(DeleteDC(dc));
    dg_deleteBB(GetDC(dg_window()));
    dg_pset(gvram, 3, 4, 12);
    EXPECT_EQ(GetPixel(gvram, 6, 8), 0x5454FCu);
    HDC again = GetDC(dg_window());
    EXPECT_EQ(GetPixel(again, 7, 9), 0x5454FCu);
    EXPECT_EQ(ReleaseDC(dg_window(), again), 1);
}

TEST(BackBuffer, ManyCreatedAndDeleted) {
    openwindow();
    for (int i = 0; i < 10000; i++) dg_deleteBB(dg_createBB());
    SUCCEED();
}

#ifndef _WIN32
#include "gdi/handles.h"
#include "testhook.h"

// platform/ serves a pixel at double size on its fastest path only in the
// shape the runtime fills it: a fresh solid brush, selected, a 2 x 2
// PATCOPY wholly on the surface, the old brush back, the new one deleted,
// with the brush's handle slot reused and nothing allocated. A change of
// that shape on either side shows here before it shows as lost speed.
TEST(Idioms, EveryDoubledPixelTakesTheFastFillWithoutAllocating) {
    Scale s(1);
    HDC bb = dg_createBB();
    dg_pset(bb, 0, 0, 1); // the first brush may grow the handle table
    const long fills = dgp_testfastfills();
    const size_t slots = dgp::slots.size();
    dg_pset(bb, 3, 4, 12);
    dg_xline(bb, 0, 10, 10, 1);
    dg_box(bb, 20, 20, 5, 4, 0, 2);
    for (int i = 0; i < 1000; i++) dg_line(bb, 0, 0, 9, 4, 3);
    long circle = 0; // a fill for every point of every segment, shared corners twice
    for (auto &seg : circlemodel(100, 100, 30)) circle += (long)seg.size();
    dg_circle(bb, 100, 100, 30, 5);
    EXPECT_EQ(dgp_testfastfills() - fills, 1 + 10 + 2 * 5 + 2 * 4 + 1000 * 10 + circle);
    EXPECT_EQ(dgp::slots.size(), slots);
    dg_deleteBB(bb);
}
#endif
