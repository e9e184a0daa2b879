// The key table.
#include "user/keytable.h"

#include <array>

namespace dgp {

namespace {

// X keysyms, by their values in <X11/keysym.h> (which needs no X library).
enum : unsigned long {
    xk_space = 0x20,
    xk_0 = 0x30,
    xk_a = 0x61,
    xk_backspace = 0xff08,
    xk_tab = 0xff09,
    xk_return = 0xff0d,
    xk_escape = 0xff1b,
    xk_home = 0xff50,
    xk_left = 0xff51,
    xk_up = 0xff52,
    xk_right = 0xff53,
    xk_down = 0xff54,
    xk_prior = 0xff55,
    xk_next = 0xff56,
    xk_end = 0xff57,
    xk_insert = 0xff63,
    xk_kp_enter = 0xff8d,
    xk_f1 = 0xffbe,
    xk_shift_l = 0xffe1,
    xk_shift_r = 0xffe2,
    xk_control_l = 0xffe3,
    xk_control_r = 0xffe4,
    xk_alt_l = 0xffe9,
    xk_alt_r = 0xffea,
    xk_delete = 0xffff,
};

constexpr SDL_Scancode none = SDL_SCANCODE_UNKNOWN;

struct Table {
    std::array<Key, 256> byvk{};
    std::array<unsigned char, SDL_NUM_SCANCODES> bysc{};
    void add(int vk, SDL_Scancode a, unsigned long sa, SDL_Scancode b = none,
             unsigned long sb = 0) {
        byvk[vk] = Key{vk, {a, b}, {sa, sb}};
        if (a != none) bysc[a] = (unsigned char)vk;
        if (b != none) bysc[b] = (unsigned char)vk;
    }
    Table() {
        for (int i = 0; i < 26; i++) add('A' + i, (SDL_Scancode)(SDL_SCANCODE_A + i), xk_a + i);
        add('0', SDL_SCANCODE_0, xk_0);
        for (int i = 1; i < 10; i++) add('0' + i, (SDL_Scancode)(SDL_SCANCODE_1 + i - 1), xk_0 + i);
        for (int i = 0; i < 12; i++) add(VK_F1 + i, (SDL_Scancode)(SDL_SCANCODE_F1 + i), xk_f1 + i);
        add(VK_SPACE, SDL_SCANCODE_SPACE, xk_space);
        add(VK_RETURN, SDL_SCANCODE_RETURN, xk_return, SDL_SCANCODE_KP_ENTER, xk_kp_enter);
        add(VK_ESCAPE, SDL_SCANCODE_ESCAPE, xk_escape);
        add(VK_UP, SDL_SCANCODE_UP, xk_up);
        add(VK_DOWN, SDL_SCANCODE_DOWN, xk_down);
        add(VK_LEFT, SDL_SCANCODE_LEFT, xk_left);
        add(VK_RIGHT, SDL_SCANCODE_RIGHT, xk_right);
        add(VK_BACK, SDL_SCANCODE_BACKSPACE, xk_backspace);
        add(VK_TAB, SDL_SCANCODE_TAB, xk_tab);
        add(VK_INSERT, SDL_SCANCODE_INSERT, xk_insert);
        add(VK_DELETE, SDL_SCANCODE_DELETE, xk_delete);
        add(VK_HOME, SDL_SCANCODE_HOME, xk_home);
        add(VK_END, SDL_SCANCODE_END, xk_end);
        add(VK_PRIOR, SDL_SCANCODE_PAGEUP, xk_prior);
        add(VK_NEXT, SDL_SCANCODE_PAGEDOWN, xk_next);
        add(VK_LSHIFT, SDL_SCANCODE_LSHIFT, xk_shift_l);
        add(VK_RSHIFT, SDL_SCANCODE_RSHIFT, xk_shift_r);
        add(VK_LCONTROL, SDL_SCANCODE_LCTRL, xk_control_l);
        add(VK_RCONTROL, SDL_SCANCODE_RCTRL, xk_control_r);
        // Either of a pair; messages carry the pair's key.
        add(VK_SHIFT, SDL_SCANCODE_LSHIFT, xk_shift_l, SDL_SCANCODE_RSHIFT, xk_shift_r);
        add(VK_CONTROL, SDL_SCANCODE_LCTRL, xk_control_l, SDL_SCANCODE_RCTRL, xk_control_r);
        add(VK_MENU, SDL_SCANCODE_LALT, xk_alt_l, SDL_SCANCODE_RALT, xk_alt_r);
    }
};

const Table &table() {
    static const Table t;
    return t;
}

} // namespace

const Key *keybyvk(int vk) {
    if (vk <= 0 || vk >= 256) return nullptr;
    const Key &k = table().byvk[vk];
    return k.vk ? &k : nullptr;
}

int vkofscancode(SDL_Scancode sc) {
    return sc > 0 && sc < SDL_NUM_SCANCODES ? table().bysc[sc] : 0;
}

} // namespace dgp
