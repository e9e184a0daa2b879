// Test-only entry points into platform/: what a test on Windows does with
// real input and real dialogs, a test here does through these.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Make GetAsyncKeyState report vk as down (1) or up (0).
void dgp_testkey(int vk, int down);

// Deliver a press (1) or release (0) of vk to the window as the keyboard
// would, as an event read at the next poll; safe from any thread.
void dgp_testpress(int vk, int down);

// Make the display refuse every mode (1), or offer its own again (0).
void dgp_testdisplay(int refuse);

// Answer every message box from now on by calling `answer` with its texts and
// type instead of showing it; none restores real boxes.
typedef int (*dgp_msgboxhook)(const char *text, const char *caption, unsigned type);
void dgp_testmsgbox(dgp_msgboxhook answer);

// How many fills PatBlt has served on its fast path for a pixel at double
// size (a 2 x 2 PATCOPY with the selected brush, wholly on the surface).
long dgp_testfastfills(void);

#ifdef __cplusplus
}
#endif
