// Test-only entry points into platform/: what a test on Windows does with
// real input and real dialogs, a test here does through these.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Make GetAsyncKeyState report vk as down (1) or up (0).
void dgp_testkey(int vk, int down);

// Answer every message box from now on by calling `answer` with its texts and
// type instead of showing it; none restores real boxes.
typedef int (*dgp_msgboxhook)(const char *text, const char *caption, unsigned type);
void dgp_testmsgbox(dgp_msgboxhook answer);

#ifdef __cplusplus
}
#endif
