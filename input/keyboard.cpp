// The keyboard polled the DOS way, and pauses.
#include "../host/host.h"

namespace {

bool down(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

// One round over the polled keys: the code of the strongest key down, or 0.
// Each row that finds its key down replaces what the rows before it found.
int poll() {
    int code = 0;
    for (int vk = 'A'; vk <= 'Z'; vk++)
        if (down(vk)) {
            code = vk - 'A' + 'a';
            break;
        }
    for (int vk = '0'; vk <= '9'; vk++)
        if (down(vk)) {
            code = vk;
            break;
        }
    if (down(VK_SPACE)) code = 32;
    if (down(VK_UP)) code = 72;
    if (down(VK_DOWN)) code = 80;
    if (down(VK_LEFT)) code = 75;
    if (down(VK_RIGHT)) code = 77;
    if (down(VK_RETURN)) code = 13;
    return code;
}

} // namespace

extern "C" {

int getch(void) {
    for (;;)
        if (int code = poll()) return code;
}

int kbhit(void) { return poll() != 0; }

void dg_wait(int wcnt) {
    // A negative count pauses no longer than a zero one.
    Sleep(wcnt > 0 ? (DWORD)(wcnt / 100000) : 0);
}

} // extern "C"
