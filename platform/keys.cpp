// Placeholder until this file is written.
#include "objects.h"

extern "C" {
#pragma GCC diagnostic ignored "-Wunused-parameter"
SHORT WINAPI GetAsyncKeyState(int vk) { return 0; }
}
