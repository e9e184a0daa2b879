// A hosted program whose Main returns at once.
#include "dg.h"

int Main(void) { return 0; }
