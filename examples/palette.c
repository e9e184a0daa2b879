/* palette: a chart of all 256 colours of the VGA palette.
 *
 * The chart has 16 rows of 16 boxes. A colour's number is the number at the
 * left of its row plus the number above its column: the box in row 32,
 * column 8 is colour 40.
 *
 * Keys: any letter, digit, Space, arrow or Enter ends the program;
 *       Esc asks whether to quit.
 */
#include "dg.h"

/* Where the chart sits on the 320 x 200 screen (logical pixels). */
#define LEFT 24  /* x of the first column of boxes */
#define TOP 20   /* y of the first row of boxes */
#define STEPX 18 /* from one column to the next */
#define STEPY 11 /* from one row to the next */
#define BOXW 16  /* a box is 16 x 10, leaving a gap around it */
#define BOXH 10

int Main(void) {
    int row, col;

    /* Mode 19 gives us the text font: each character is 4 x 8 logical pixels. */
    dg_setvideomode(19);
    dg_setscreen(0, 0, 320, 200, 1, "パレット");
    /* Answer what the window has waiting (an early Esc, say) before drawing. */
    ML();

    dg_printf(8, 0, 15, "VGA 256色パレット");
    dg_printf(256, 0, 7, "番号 = 行 + 列");

    /* The numbers above the columns, centred over their boxes. */
    for (col = 0; col < 16; col++) {
        int width = col < 10 ? 4 : 8; /* one or two characters */
        dg_printf(LEFT + col * STEPX + (BOXW - width) / 2, TOP - 10, 7, "%d", col);
    }

    /* A dark grey panel behind the boxes, so that the black ones show too. */
    dg_box(gvram, LEFT - 2, TOP - 2, 16 * STEPX + 2, 16 * STEPY + 3, 1, 20);

    for (row = 0; row < 16; row++) {
        int y = TOP + row * STEPY;
        /* The row's first colour number, right-aligned in three places. */
        dg_printf(8, y + 1, 7, "%3d", row * 16);
        for (col = 0; col < 16; col++) {
            int colour = row * 16 + col;
            /* paintflg 1: a filled box. */
            dg_box(gvram, LEFT + col * STEPX, y, BOXW, BOXH, 1, (short)colour);
        }
    }

    /* Wait for a key. Calling ML while we wait keeps the window answering:
     * it repaints, and Esc or the close button ask whether to quit. */
    while (!kbhit()) {
        ML();
        wait(10 * 100000); /* 10 ms: wait counts in 1/100000 ms */
    }
    return 0; /* the runtime ends the program (exit code 1) */
}
