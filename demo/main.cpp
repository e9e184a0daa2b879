// The demonstration program.
#include "dg.h"

int Main(void) { return 0; }
