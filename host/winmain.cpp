// Placeholder until start-up is written.
#include "host.h"

static HWND hwnd;
HWND dg_window(void) { return hwnd; }
void dg_open(HINSTANCE) {}
extern "C" int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return Main(); }
