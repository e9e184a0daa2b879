// The suite's entry. The runtime's start-up calls Main; here nothing does, but
// the runtime links against one.
#include "fixture.h"
#include "host.h"

#include <gtest/gtest.h>

#include <cstdlib>

int Main(void) { return 0; }

void openwindow() {
    static bool open = false;
    if (!open) dg_open(GetModuleHandleA(nullptr));
    open = true;
}

const char title[] = "タイトルです";

void restore() { dg_setscreen(0, 0, 320, 200, 1, title); }

void drain() {
    hook_msgbox_answer(IDNO);
    ML();
    hook_msgbox_answer(IDNO);
}

RECT client() {
    RECT r{};
    GetClientRect(dg_window(), &r);
    return r;
}

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    // Children of death tests start afresh rather than as forks of a process
    // that holds a window.
#if GTEST_HAS_DEATH_TEST
    GTEST_FLAG_SET(death_test_style, "threadsafe");
#endif
    // exit, not return: in a page, main's return value is lost once main has
    // waited (Asyncify), and exit hands the code to the page.
    std::exit(RUN_ALL_TESTS());
}
