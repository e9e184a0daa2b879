// Message boxes answered by a watcher thread that finds the box by its
// class, reads what it shows and presses the answer.
#include "fixture.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace {
std::mutex lock;
std::vector<Shown> shown;
std::atomic<int> answer{IDNO};
std::atomic<bool> watching{false};

struct Found {
    std::string text;
    HICON icon = nullptr;
};

BOOL CALLBACK child(HWND h, LPARAM lp) {
    Found *f = reinterpret_cast<Found *>(lp);
    char cls[32] = {0};
    GetClassNameA(h, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") != 0) return TRUE;
    LONG style = GetWindowLongA(h, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
        f->icon = (HICON)SendMessageA(h, STM_GETICON, 0, 0);
    } else {
        char text[1024] = {0};
        GetWindowTextA(h, text, sizeof text);
        if (text[0]) f->text = text;
    }
    return TRUE;
}

BOOL CALLBACK top(HWND h, LPARAM) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char cls[32] = {0};
    GetClassNameA(h, cls, sizeof cls);
    if (pid != GetCurrentProcessId() || lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(h))
        return TRUE;
    Found f;
    EnumChildWindows(h, child, reinterpret_cast<LPARAM>(&f));
    char caption[256] = {0};
    GetWindowTextA(h, caption, sizeof caption);
    unsigned type = GetDlgItem(h, IDYES) ? MB_YESNO : MB_OK;
    if (f.icon && f.icon == LoadIconA(nullptr, IDI_QUESTION)) type |= MB_ICONQUESTION;
    if (f.icon && f.icon == LoadIconA(nullptr, IDI_HAND)) type |= MB_ICONHAND;
    {
        std::lock_guard<std::mutex> g(lock);
        shown.push_back(Shown{f.text, caption, type});
    }
    int a = answer;
    if ((type & 0xF) == MB_OK) a = IDOK;
    PostMessageA(h, WM_COMMAND, MAKEWPARAM(a, BN_CLICKED), (LPARAM)GetDlgItem(h, a));
    Sleep(100); // let the box close before it is looked for again
    return FALSE;
}
} // namespace

void hook_msgbox_answer(int a) {
    answer = a;
    {
        std::lock_guard<std::mutex> g(lock);
        shown.clear();
    }
    if (watching.exchange(true)) return;
    std::thread([] {
        for (;;) {
            EnumWindows(top, 0);
            Sleep(10);
        }
    }).detach();
}

std::vector<Shown> hook_msgboxes() {
    std::lock_guard<std::mutex> g(lock);
    return shown;
}

int hook_run(const char *name) {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return -1;
    std::string path(self);
    path = path.substr(0, path.find_last_of("\\/") + 1) + name + ".exe";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = (DWORD)-1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return (int)code;
}

void hook_closebutton() { PostMessageA(dg_window(), WM_SYSCOMMAND, SC_CLOSE, 0); }
