// sprite: a smiling face that the arrow keys move over a chequered floor.
//
// The face is a small bitmap. Its corners are magenta, and dg_drawbmp3 leaves
// out every pixel of that one colour, so the floor shows through them: the
// face looks round although a bitmap is always a rectangle.
//
// The program writes its bitmap file itself at start, loads it, and removes
// the file again; after dg_loadbmp the picture lives in memory.
//
// Keys: arrows move the face 8 pixels per press; Enter ends the program;
//       Esc asks whether to quit.
#include "dg.h"

#include <cstdio>

// The face, one letter per pixel: Y yellow, K black, R red, . transparent.
// clang-format off
static const char *const art[16] = {
    ".....YYYYYY.....",
    "...YYYYYYYYYY...",
    "..YYYYYYYYYYYY..",
    ".YYYYYYYYYYYYYY.",
    ".YYYYKKYYKKYYYY.",
    "YYYYYKKYYKKYYYYY",
    "YYYYYKKYYKKYYYYY",
    "YYYYYYYYYYYYYYYY",
    "YYYYYYYYYYYYYYYY",
    "YYYRYYYYYYYYRYYY",
    "YYYYRYYYYYYRYYYY",
    ".YYYYRRRRRRYYYY.",
    ".YYYYYYYYYYYYYY.",
    "..YYYYYYYYYYYY..",
    "...YYYYYYYYYY...",
    ".....YYYYYY.....",
};
// clang-format on
static const int FACE = 16; // the face is FACE x FACE = 16 x 16 pixels

// The colour that dg_drawbmp3 leaves out. A COLORREF is 0x00BBGGRR:
// blue FF, green 00, red FF is magenta.
static const COLORREF MAGENTA = 0xFF00FF;

static const int STEP = 8; // logical pixels per key press

// Little-endian numbers, as a BMP file stores them.
static void put16(FILE *f, int v) {
    std::fputc(v & 0xFF, f);
    std::fputc((v >> 8) & 0xFF, f);
}
static void put32(FILE *f, int v) {
    put16(f, v & 0xFFFF);
    put16(f, (v >> 16) & 0xFFFF);
}

// Writes the face as a 24-bit BMP file: a 14-byte file header, a 40-byte
// picture header, then the rows of pixels from the bottom row up, each pixel
// as blue, green, red. A row of 16 pixels is 48 bytes, already a multiple of
// 4 as the format wants.
static void writeface(const char *name) {
    FILE *f = std::fopen(name, "wb");
    if (!f) return; // dg_loadbmp will say that the file is missing
    const int rowbytes = FACE * 3, pixels = rowbytes * FACE;
    std::fputc('B', f); // file header
    std::fputc('M', f);
    put32(f, 54 + pixels); // file size
    put32(f, 0);           // reserved
    put32(f, 54);          // where the pixels start
    put32(f, 40);          // picture header: its own size
    put32(f, FACE);        // width
    put32(f, FACE);        // height (positive: bottom row first)
    put16(f, 1);           // one plane
    put16(f, 24);          // bits per pixel
    put32(f, 0);           // no compression
    put32(f, pixels);      // size of the pixels
    put32(f, 2835);        // 72 dots per inch, in dots per metre
    put32(f, 2835);
    put32(f, 0); // no colour table
    put32(f, 0);
    for (int y = FACE - 1; y >= 0; y--)
        for (int x = 0; x < FACE; x++) {
            int r = 0xFF, g = 0x00, b = 0xFF; // '.': magenta, left out
            switch (art[y][x]) {
            case 'Y':
                r = 0xFC, g = 0xFC, b = 0x54;
                break; // palette 14
            case 'K':
                r = 0x00, g = 0x00, b = 0x00;
                break;
            case 'R':
                r = 0xA8, g = 0x00, b = 0x00;
                break; // palette 4
            }
            std::fputc(b, f);
            std::fputc(g, f);
            std::fputc(r, f);
        }
    std::fclose(f);
}

// One picture: the floor, the face at (x, y), shown with one flip, and the
// help line on top.
static void draw(HDC bb, HDC face, int x, int y) {
    for (int ty = 0; ty < 200; ty += 16)
        for (int tx = 0; tx < 320; tx += 16)
            dg_box(bb, tx, ty, 16, 16, 1, ((tx + ty) / 16) % 2 ? 104 : 1);
    dg_drawbmp3(bb, x, y, FACE, FACE, face, 0, 0, MAGENTA);
    dg_flip(gvram, bb);
    dg_printf(0, 0, 15, " 矢印キーで移動  Enter で終了   x=%3d y=%3d ", x, y);
}

int Main(void) {
    dg_setvideomode(19);
    dg_setscreen(0, 0, 320, 200, 1, "スプライト");
    // Answer what the window has waiting (an early Esc, say) before drawing.
    ML();

    writeface("dg-face.bmp");
    HDC face = dg_loadbmp("dg-face.bmp");
    std::remove("dg-face.bmp");

    HDC bb = dg_createBB();
    int x = 152, y = 92; // top-left corner of the face
    draw(bb, face, x, y);

    for (;;) {
        // Wait for a key; ML keeps the window answering meanwhile.
        while (!kbhit()) {
            ML();
            wait(5 * 100000);
        }
        int key = getch();
        if (key == 13) break;     // Enter
        if (key == 75) x -= STEP; // left
        if (key == 77) x += STEP; // right
        if (key == 72) y -= STEP; // up
        if (key == 80) y += STEP; // down

        // Stay on the screen, below the help line.
        if (x < 0) x = 0;
        if (x > 320 - FACE) x = 320 - FACE;
        if (y < 8) y = 8;
        if (y > 200 - FACE) y = 200 - FACE;
        draw(bb, face, x, y);

        // getch keeps returning a key while it is held: wait until it is
        // let go, so that one press is one step.
        while (kbhit()) {
            ML();
            wait(5 * 100000);
        }
    }

    dg_deleteBB(bb);
    dg_deletebmp(face);
    return 0; // the runtime ends the program (exit code 1)
}
