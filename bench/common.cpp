// The pictures, frame contents and the circle's table both sides use.
#include "bench.h"

#include <cmath>
#include <cstdlib>

namespace bench {

int fixediterations() {
    const char *v = std::getenv("DG_BENCH_ITERATIONS");
    int n = v ? std::atoi(v) : 0;
    return n > 0 ? n : 0;
}

uint32_t spritepx(int x, int y) {
    // A round blob on the transparent colour: about 60 % of the pixels opaque.
    int dx = 2 * x - 15, dy = 2 * y - 15;
    if (dx * dx + dy * dy > 196) return key;
    return (uint32_t)(0x20 + x * 12) << 16 | (uint32_t)(0x40 + y * 10) << 8 | 0x80;
}

uint32_t picturepx(int x, int y) {
    // A gradient with a band of the transparent colour in every 8 x 8 tile.
    if (((x >> 3) + (y >> 3)) % 4 == 0) return key;
    return (uint32_t)(x * 255 / 319) << 16 | (uint32_t)(y * 255 / 199) << 8 | (uint32_t)(x ^ y);
}

Seg frameline(int i) {
    int x = (i * 53) % 260, y = (i * 31) % 140;
    switch (i % 3) {
    case 0:
        return {x, y, x + 60, y + 17};
    case 1:
        return {x + 17, y, x, y + 60};
    }
    return {x, y + 43, x + 43, y};
}

void framecircle(int i, int &cx, int &cy, int &r) {
    r = 5 + (i * 7) % 40;
    cx = 50 + (i * 61) % 220;
    cy = 50 + (i * 29) % 100;
}

void framesprite(int i, int &x, int &y) {
    x = (i * 37) % 304;
    y = (i * 23) % 184;
}

const Turn &turn() {
    static const struct Table : Turn {
        Table() {
            for (int d = 0; d < 360; d++) {
                double a = d * 3.1415926535 / 180.0;
                c[d] = std::cos(a);
                s[d] = std::sin(a);
            }
        }
    } table;
    return table;
}

} // namespace bench
