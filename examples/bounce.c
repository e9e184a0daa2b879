/* bounce: a ball bouncing inside a frame, drawn without flicker.
 *
 * Each frame is drawn into a back buffer, an off-screen picture that nobody
 * sees, and then copied onto the window in one go with dg_flip. The window
 * never shows a half-drawn frame.
 *
 * Keys: any letter, digit, Space, arrow or Enter ends the program;
 *       Esc asks whether to quit.
 */
#include "dg.h"

/* The playing field (logical pixels), inside a white frame. */
#define FX 8   /* left edge of the frame */
#define FY 16  /* top edge of the frame */
#define FW 304 /* width of the frame */
#define FH 176 /* height of the frame */
#define R 8    /* radius of the ball */

/* A filled ball: one horizontal span for every row of the disc.
 * On row dy the disc reaches w pixels either side of the centre, the largest
 * w with w * w + dy * dy <= r * r. */
static void ball(HDC hdc, int cx, int cy, int r, short color) {
    int dy, w;
    for (dy = -r; dy <= r; dy++) {
        w = 0;
        while ((w + 1) * (w + 1) + dy * dy <= r * r) w++;
        dg_xline(hdc, cx - w, cy + dy, 2 * w + 1, color);
    }
    /* A small white shine makes it look round. */
    dg_box(hdc, cx - r / 2 - 1, cy - r / 2 - 1, 2, 2, 1, 15);
}

int Main(void) {
    HDC bb = dg_createBB();       /* our back buffer */
    int x = FX + 40, y = FY + 30; /* centre of the ball */
    int dx = 2, dy = 1;           /* how far it moves each frame */

    dg_setvideomode(19);
    dg_setscreen(0, 0, 320, 200, 1, "バウンド");

    while (!kbhit()) {
        ML(); /* keep the window answering (Esc, close button) */

        /* Draw the whole frame into the back buffer... */
        dg_gcls(bb, 1);                    /* dark blue everywhere */
        dg_box(bb, FX, FY, FW, FH, 0, 15); /* paintflg 0: the white frame */
        ball(bb, x, y, R, 14);             /* the yellow ball */

        /* ...then show it. Text always goes straight to the window, so it is
         * printed after the flip. */
        dg_flip(gvram, bb);
        dg_printf(FX, 2, 15, "ボールがはねます。キーを押すと終わります");

        /* Move on. Where the next step would touch the frame, turn round
         * first: the ball stays inside, x from FX + 1 to FX + FW - 2. */
        if (x + dx - R < FX + 1 || x + dx + R > FX + FW - 2) dx = -dx;
        if (y + dy - R < FY + 1 || y + dy + R > FY + FH - 2) dy = -dy;
        x += dx;
        y += dy;

        wait(20 * 100000); /* 20 ms: about 50 frames a second */
    }

    dg_deleteBB(bb); /* the back buffer is ours to give back */
    return 0;        /* the runtime ends the program (exit code 1) */
}
