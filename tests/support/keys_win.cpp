// Keys for tests on Windows: real synthesized input, which the system's
// asynchronous key state reflects.
#include "fixture.h"

#include <set>

static std::set<int> held;

static void send(int vk, bool down) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = (WORD)vk;
    in.ki.wScan = (WORD)MapVirtualKeyA((UINT)vk, 0);
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    if (vk >= VK_PRIOR && vk <= VK_DOWN) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &in, sizeof in);
}

void hook_key(int vk, bool down) {
    send(vk, down);
    if (down)
        held.insert(vk);
    else
        held.erase(vk);
}

void hook_keys_up() {
    for (int vk : held) send(vk, false);
    held.clear();
    // The synthesized presses also reach the window as key messages; a later
    // test's message pump must not meet them (an Enter would answer its box).
    Sleep(50);
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
}

void hook_press(int vk) {
    send(vk, true);
    send(vk, false);
}

bool hook_realkey(int vk, bool down) {
    send(vk, down);
    return true;
}
