/* A small dg program, built out of dg's tree by each of the ways a project
 * takes dg in. It draws a few pixels, reads them back from the window and
 * prints what it read, then returns (dg ends the process with exit code 1). */
#include <stdio.h>

#include "dg.h"

/* Headers of the program's own with names common enough that dg's internals
 * could have them too: only include/ of dg may be on the program's path. */
#include "objects.h"
#include "win32.h"
#include "window.h"
#if !defined(HELLO_OWN_WINDOW) || !defined(HELLO_OWN_OBJECTS) || !defined(HELLO_OWN_WIN32)
#error "a header of dg's own took the place of the program's"
#endif

int Main(void) {
    dg_pset(gvram, 10, 10, 4);          /* red: device pixels (20, 20)-(21, 21) */
    dg_box(gvram, 20, 20, 8, 4, 1, 14); /* a filled yellow box */
    dg_line(gvram, 40, 5, 60, 5, 15);   /* a white line */
    /* "日本" is 2 + 2 bytes in code page 932 and 3 + 3 in UTF-8. */
    printf("hello %06lx %06lx %06lx %06lx %s\n", (unsigned long)dg_pget(gvram, 10, 10),
           (unsigned long)dg_pget(gvram, 27, 23), (unsigned long)dg_pget(gvram, 50, 5),
           (unsigned long)dg_pget(gvram, 28, 24), sizeof("日本") == 5 ? "cp932" : "other");
    fflush(stdout);
    return 0;
}
