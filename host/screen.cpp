// The process-wide screen state and the VGA default palette.
#include "host.h"

int screenx = 0, screeny = 0;
int screenwidth = 320, screenheight = 200;
int bai = 1;
char titlebar[101] = "タイトルです";
HDC gvram;
HFONT hfont;
HFONT holdfont;

namespace {

// One entry from 6-bit components, as the VGA DAC holds them.
constexpr COLORREF dac(int r, int g, int b) { return r * 4 + (g * 4) * 256 + (b * 4) * 65536; }

struct Palette {
    COLORREF c[256] = {};
    constexpr Palette() {
        const int base[16][3] = {{0, 0, 0},    {0, 0, 42},   {0, 42, 0},   {0, 42, 42},
                                 {42, 0, 0},   {42, 0, 42},  {42, 21, 0},  {42, 42, 42},
                                 {21, 21, 21}, {21, 21, 63}, {21, 63, 21}, {21, 63, 63},
                                 {63, 21, 21}, {63, 21, 63}, {63, 63, 21}, {63, 63, 63}};
        for (int i = 0; i < 16; i++) c[i] = dac(base[i][0], base[i][1], base[i][2]);
        const int grey[16] = {0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63};
        for (int i = 0; i < 16; i++) c[16 + i] = dac(grey[i], grey[i], grey[i]);
        // Nine rings of 24 hues, each from five levels lo < m1 < m2 < m3 < hi.
        const int rings[9][5] = {{0, 16, 31, 47, 63}, {31, 39, 47, 55, 63}, {45, 49, 54, 58, 63},
                                 {0, 7, 14, 21, 28},  {14, 17, 21, 24, 28}, {20, 22, 24, 26, 28},
                                 {0, 4, 8, 12, 16},   {8, 10, 12, 14, 16},  {11, 12, 13, 15, 16}};
        // Which level each of R, G, B takes around a ring: 0 lo ... 4 hi.
        const int hue[24][3] = {{0, 0, 4}, {1, 0, 4}, {2, 0, 4}, {3, 0, 4}, {4, 0, 4}, {4, 0, 3},
                                {4, 0, 2}, {4, 0, 1}, {4, 0, 0}, {4, 1, 0}, {4, 2, 0}, {4, 3, 0},
                                {4, 4, 0}, {3, 4, 0}, {2, 4, 0}, {1, 4, 0}, {0, 4, 0}, {0, 4, 1},
                                {0, 4, 2}, {0, 4, 3}, {0, 4, 4}, {0, 3, 4}, {0, 2, 4}, {0, 1, 4}};
        for (int r = 0; r < 9; r++)
            for (int h = 0; h < 24; h++)
                c[32 + r * 24 + h] =
                    dac(rings[r][hue[h][0]], rings[r][hue[h][1]], rings[r][hue[h][2]]);
        // 248-255 stay black.
    }
};

constexpr Palette vga;
static_assert(vga.c[1] == 0xA80000 && vga.c[4] == 0x0000A8 && vga.c[103] == 0xFCC4B4 &&
                  vga.c[247] == 0x40302C,
              "VGA default palette");

} // namespace

COLORREF coltbl[256] = {
#define E(i) vga.c[i], vga.c[i + 1], vga.c[i + 2], vga.c[i + 3]
#define R(i) E(i), E(i + 4), E(i + 8), E(i + 12)
    R(0),   R(16),  R(32),  R(48),  R(64),  R(80),  R(96),  R(112),
    R(128), R(144), R(160), R(176), R(192), R(208), R(224), R(240),
#undef R
#undef E
};
