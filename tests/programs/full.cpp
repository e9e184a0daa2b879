// Full screen at 320 x 200 (bai 2) with a red box at the top left, then a
// polled key ends it.
#include "dg.h"

int Main(void) {
    dg_setscreen(0, 0, 320, 200, 2, "full");
    dg_box(gvram, 10, 10, 20, 10, 1, 4);
    getch();
    return 0;
}
