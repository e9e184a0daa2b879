// Message boxes answered through platform/'s hook.
#include "fixture.h"
#include "testhook.h"
#include "user/poll.h"
#include "user/window.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {
int answer = IDNO;
std::vector<Shown> shown;
// Answered after a pause, as a person answers: in the browser the program
// waits there as it waits for a real box (the page gets control back), under
// the window procedure and whatever called it.
int reply(const char *text, const char *caption, unsigned type) {
    shown.push_back(Shown{text, caption, type});
    dgp::pausefor(1);
    return answer;
}
} // namespace

void hook_msgbox_answer(int a) {
    answer = a;
    shown.clear();
    dgp_testmsgbox(reply);
}

std::vector<Shown> hook_msgboxes() { return shown; }

int hook_run(const char *name) {
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return -1;
    self[n] = 0;
    std::string path(self);
    path = path.substr(0, path.rfind('/') + 1) + name;
    char *argv[] = {const_cast<char *>(path.c_str()), nullptr};
    pid_t pid;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void hook_closebutton() {
    dgp::Window *w = dgp::mainwindow();
    if (!w) return;
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    e.window.windowID = SDL_GetWindowID(w->sdl);
    SDL_PushEvent(&e);
}
