// Draws data/four.bmp (4 x 2: red, green, blue, white over black, yellow,
// cyan, magenta) at the top left, then loads a bitmap that is not there:
// the load error's message box, then the end. Built with the bitmap among its
// files (a page brings it); run from the tests folder elsewhere.
#include "dg.h"

int Main(void) {
    HDC four = dg_loadbmp("data/four.bmp");
    dg_drawbmp(gvram, 0, 0, 4, 2, four);
    dg_loadbmp("data/none.bmp");
    return 0;
}
