// Keys for tests natively: the platform's own override of the key state.
#include "fixture.h"
#include "testhook.h"

#include <set>

static std::set<int> held;

void hook_key(int vk, bool down) {
    dgp_testkey(vk, down ? 1 : 0);
    if (down)
        held.insert(vk);
    else
        held.erase(vk);
}

void hook_keys_up() {
    for (int vk : held) dgp_testkey(vk, 0);
    held.clear();
}

void hook_press(int vk) {
    dgp_testpress(vk, 1);
    dgp_testpress(vk, 0);
}
