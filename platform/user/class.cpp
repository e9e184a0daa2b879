// Window classes: RegisterClassA.
#include "user/window.h"

#include <cstring>
#include <deque>

namespace dgp {

namespace {
struct Class {
    WNDCLASSA wc;
    std::string name; // wc.lpszClassName may not outlive the call
};
std::deque<Class> classes;
} // namespace

const WNDCLASSA *findclass(const char *name) {
    if (!name) return nullptr;
    for (const Class &c : classes)
        if (c.name == name) return &c.wc;
    return nullptr;
}

} // namespace dgp

extern "C" WORD WINAPI RegisterClassA(const WNDCLASSA *wc) {
    using namespace dgp;
    if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
    if (findclass(wc->lpszClassName)) return 0; // already registered
    classes.push_back(Class{*wc, wc->lpszClassName});
    classes.back().wc.lpszClassName = classes.back().name.c_str();
    return (WORD)(0xC000 + classes.size());
}
