// Process services: pauses, the instance, ending the process, the tick count.
#include "user/poll.h"
#include "user/present.h"
#include "user/window.h"
#include "toolhook.h"

#include <cstdio>
#include <unistd.h>

namespace {
// Some value that is not null, as the program's instance handle.
HINSTANCE const self = (HINSTANCE)(uintptr_t)0x400000;
HANDLE const thisprocess = (HANDLE)(intptr_t)-1;
} // namespace

extern "C" {

void WINAPI Sleep(DWORD ms) {
    // A pause is a moment the program shows what it drew.
    dgp::polled();
    if (dgp::watch) dgp::step(dgp::Step::pause, ms > dgp::pollstep ? ms : dgp::pollstep);
    // A check run's pauses take none of the machine's time.
    if (!dgp::driven()) dgp::pausefor(ms);
}

HMODULE WINAPI GetModuleHandleA(LPCSTR name) { return name ? nullptr : self; }

HANDLE WINAPI GetCurrentProcess(void) { return thisprocess; }

BOOL WINAPI TerminateProcess(HANDLE process, UINT code) {
    if (process != thisprocess) return FALSE;
    dgp::present(dgp::mainwindow());
    if (dgp::watch) dgp::watch->ended((int)code);
    std::fflush(nullptr);
    _exit((int)code);
}

DWORD WINAPI GetTickCount(void) { return (DWORD)(dgp::driven() ? dgp::owntime : SDL_GetTicks64()); }

} // extern "C"
