// Shared by every test file.
#pragma once

#include "host.h"

#include <gtest/gtest.h>

// DG_ASAN: built with AddressSanitizer, which slows and holds memory.
#if defined(__SANITIZE_ADDRESS__)
#define DG_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DG_ASAN 1
#endif
#endif

#include <string>
#include <vector>

// A page starts no child process: there a test of a path that ends the
// process is skipped, and the page checks (tests/web) run that path as a page
// of its own.
#if defined(__EMSCRIPTEN__)
#undef EXPECT_EXIT
#define EXPECT_EXIT(statement, predicate, regex)                                                   \
    do {                                                                                           \
        (void)sizeof(regex);                                                                       \
        GTEST_SKIP() << "no child processes in a page";                                            \
    } while (0)
#endif

// Opens the runtime's window once per process: the start-up steps before Main.
void openwindow();

// The start-up title, and the window shaped again as start-up shapes it.
extern const char title[];
void restore();
// What earlier tests left queued (real key presses, a quit message) is
// answered No and drained; boxes are answered No from then on.
void drain();
// The window's client rectangle.
RECT client();

// What a test cannot do through the Win32 subset alone; each system has its
// own way (support/*_sdl.cpp natively, support/*_win.cpp on Windows).

// Keys: the key state that GetAsyncKeyState reports for vk.
void hook_key(int vk, bool down);
void hook_keys_up(); // every key hooked down so far goes up

// A key pressed and released as the keyboard delivers it: the window gets its
// key messages (the key state may not show it). Safe from any thread.
void hook_press(int vk);

// A real key (as the display server or the system sees it, whatever has the
// focus) going down or up; false where a test cannot make one.
bool hook_realkey(int vk, bool down);

// The focus going to another window on the desktop, and coming back.
bool hook_focus_away();
void hook_focus_back();

// The display server dropping what the window showed, as an X server without
// backing store may, with no expose event (false where a test cannot), and
// the colour the display shows at a client-area pixel (CLR_INVALID where a
// test cannot read it).
bool hook_drop_contents();
COLORREF hook_shown(int x, int y);

// The user dragging the window's frame until the client area is cw x ch.
void hook_resize(int cw, int ch);

// Make the display refuse every full-screen mode (where a test can; false
// where it cannot, and then only modes no display offers are refused).
bool hook_refuse_modes(bool refuse);

// Message boxes: every box opened from now on is answered with `answer`
// (IDYES, IDNO, IDOK) and what it showed is recorded.
struct Shown {
    std::string text, caption;
    unsigned type = 0;
};
void hook_msgbox_answer(int answer);
std::vector<Shown> hook_msgboxes(); // the boxes shown since the last hook_msgbox_answer

// Runs one of the suite's small programs (tests/programs/NAME.cpp) as a child
// process, waits for it and gives its exit code (-1 when it could not run).
int hook_run(const char *name);

// The window's close button, pressed as the desktop presses it.
void hook_closebutton();

// Resources the process holds now: resident memory in kilobytes, and GDI
// objects (platform/'s live handles natively, GetGuiResources on Windows,
// where Wine may answer 0).
long hook_residentkb();
long hook_gdiobjects();

// Whether the suite runs under Wine, whose GDI answers a few calls otherwise
// than Windows does; each test that meets one says which.
bool hook_wine();
