// The demonstration program: three lines of text, then a key ends it.
#include "dg.h"

int cnt = 0;

void cnt_up(void) { cnt = cnt + 1; }

void test_print(const char *) { dg_printf(10, 10, 1, "test"); }

int test_count(void) {
    cnt_up();
    dg_printf(10, 30, 5, "cnt:%d", cnt);
    return cnt;
}

int Main(void) {
    dg_setvideomode(19);
    dg_printf(10, 20, 2, "test");
    test_print("test2");
    test_count();
    dg_setvideomode(3);
    getch();
    return 0;
}
