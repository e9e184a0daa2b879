// A hosted program that keeps its window alive until it is told to quit.
#include "dg.h"

int Main(void) {
    for (;;) {
        ML();
        wait(10 * 100000);
    }
}
