// How a dg program behaves as a process on an X display: start-up to the
// first frame, kbhit() calls per second, key press to getch() returning (keys
// sent through XTest), the processor time a program waiting in getch() takes
// (with the X server's), its resident memory, and a game loop's frame rate
// with and without a poll of the keys. Runs the probe (probe.cpp) once per
// measurement and prints one table.
//   dg_sysbench path/to/dg_probe
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

unsigned long long clockns() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (unsigned long long)t.tv_sec * 1000000000ull + (unsigned long long)t.tv_nsec;
}

// The probe in one role, its standard output on a pipe.
struct Probe {
    pid_t pid = -1;
    FILE *out = nullptr;
    Probe(const char *exe, const char *role) {
        int fd[2];
        if (pipe(fd) != 0) return;
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, fd[1], 1);
        posix_spawn_file_actions_addclose(&fa, fd[0]);
        std::vector<std::string> env;
        for (char **e = environ; *e; e++)
            if (std::strncmp(*e, "DG_PROBE", 8) != 0) env.push_back(*e);
        env.push_back(std::string("DG_PROBE=") + role);
        env.push_back("SDL_VIDEODRIVER=x11");
        env.push_back("DG_PROBE_T0=" + std::to_string(clockns()));
        std::vector<char *> envp;
        for (std::string &s : env) envp.push_back(&s[0]);
        envp.push_back(nullptr);
        char *argv[] = {const_cast<char *>(exe), nullptr};
        if (posix_spawn(&pid, exe, &fa, nullptr, argv, envp.data()) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&fa);
        close(fd[1]);
        out = fdopen(fd[0], "r");
    }
    // The next number it prints (after an optional word), or 0 when it ends.
    unsigned long long next() {
        char line[128];
        if (!out || !std::fgets(line, sizeof line, out)) return 0;
        const char *p = line;
        while (*p && (*p < '0' || *p > '9')) p++;
        return std::strtoull(p, nullptr, 10);
    }
    ~Probe() {
        if (out) std::fclose(out);
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
};

// Processor time of a process so far, in nanoseconds.
unsigned long long cputime(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", (int)pid);
    FILE *f = std::fopen(path, "r");
    if (!f) return 0;
    char buf[1024];
    size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    buf[n] = 0;
    const char *p = std::strrchr(buf, ')'); // the name may hold spaces
    unsigned long utime = 0, stime = 0;
    if (!p || std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime,
                          &stime) != 2)
        return 0;
    return (unsigned long long)(utime + stime) * 1000000000ull /
           (unsigned long long)sysconf(_SC_CLK_TCK);
}

long residentkb(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = std::fopen(path, "r");
    if (!f) return 0;
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmRSS: %ld", &kb) == 1) break;
    std::fclose(f);
    return kb;
}

// The X server of DISPLAY, found by its command line (Xvfb :N, Xorg :N).
pid_t xserver() {
    const char *display = std::getenv("DISPLAY");
    if (!display) return -1;
    std::string want(display);
    want = want.substr(0, want.find('.'));
    DIR *d = opendir("/proc");
    if (!d) return -1;
    pid_t found = -1;
    while (dirent *e = readdir(d)) {
        const pid_t pid = (pid_t)std::atoi(e->d_name);
        if (pid <= 0) continue;
        char path[64], cmd[512];
        std::snprintf(path, sizeof path, "/proc/%d/cmdline", (int)pid);
        int fd = open(path, O_RDONLY);
        if (fd < 0) continue;
        ssize_t n = read(fd, cmd, sizeof cmd - 1);
        close(fd);
        if (n <= 0) continue;
        cmd[n] = 0;
        std::string prog(cmd);
        prog = prog.substr(prog.rfind('/') + 1);
        if (prog != "Xvfb" && prog != "Xorg" && prog != "X") continue;
        for (const char *a = cmd; a < cmd + n; a += std::strlen(a) + 1)
            if (want == a) found = pid;
    }
    closedir(d);
    return found;
}

void sleepms(int ms) { usleep((useconds_t)ms * 1000); }

unsigned long long median(std::vector<unsigned long long> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void row(const char *what, const char *value, const char *goal) {
    std::printf("| %-46s | %12s | %-10s |\n", what, value, goal);
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s path/to/dg_probe\n", argv[0]);
        return 2;
    }
    const char *probe = argv[1];
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "dg_sysbench: no X display\n");
        return 2;
    }
    char v[64];
    std::printf("\n| %-46s | %12s | %-10s |\n|%s|%s|%s|\n", "on the X display", "measured", "goal",
                std::string(48, '-').c_str(), std::string(14, '-').c_str(),
                std::string(12, '-').c_str());

    std::vector<unsigned long long> starts;
    for (int i = 0; i < 5; i++) {
        Probe p(probe, "startup");
        starts.push_back(p.next());
    }
    std::snprintf(v, sizeof v, "%.1f ms", median(starts) / 1e6);
    row("start-up to the first frame (median of 5)", v, "<= 150 ms");

    {
        Probe p(probe, "kbhit");
        std::snprintf(v, sizeof v, "%llu", p.next());
        row("kbhit() calls per second, a pixel drawn between", v, ">= 50000");
        std::snprintf(v, sizeof v, "%llu", p.next());
        row("kbhit() calls per second, nothing else (idle)", v, "");
    }

    {
        Probe p(probe, "getch");
        p.next(); // ready
        sleepms(500);
        const pid_t server = xserver();
        const unsigned long long c0 = cputime(p.pid), s0 = server > 0 ? cputime(server) : 0;
        const unsigned long long t0 = clockns();
        sleepms(5000);
        const unsigned long long wall = clockns() - t0;
        const unsigned long long c1 = cputime(p.pid), s1 = server > 0 ? cputime(server) : 0;
        std::snprintf(v, sizeof v, "%.1f %%", 100.0 * (double)(c1 - c0) / (double)wall);
        row("processor time waiting in getch(), program", v, "");
        std::snprintf(v, sizeof v, server > 0 ? "%.1f %%" : "-",
                      100.0 * (double)((c1 - c0) + (s1 - s0)) / (double)wall);
        row("the same, program and X server", v, "<= 5 %");
        std::snprintf(v, sizeof v, "%.1f MB", residentkb(p.pid) / 1024.0);
        row("resident memory waiting in getch()", v, "<= 30 MB");

        std::vector<unsigned long long> lat;
        const KeyCode space = XKeysymToKeycode(dpy, XK_space);
        for (int i = 0; i < 30; i++) {
            const unsigned long long t = clockns();
            XTestFakeKeyEvent(dpy, space, True, CurrentTime);
            XFlush(dpy);
            const unsigned long long back = p.next();
            XTestFakeKeyEvent(dpy, space, False, CurrentTime);
            XFlush(dpy);
            if (back > t) lat.push_back(back - t);
            sleepms(20 + (i * 7) % 13); // presses at no fixed phase of the program's wait
        }
        std::snprintf(v, sizeof v, "%.2f ms", median(lat) / 1e6);
        row("key press to getch() returning (median of 30)", v, "<= 5 ms");
        std::snprintf(v, sizeof v, "%.2f ms",
                      lat.empty() ? 0 : *std::max_element(lat.begin(), lat.end()) / 1e6);
        row("the same, slowest of 30", v, "");
        // Held until getch() has seen it: a key state polled now and then
        // need not see a press and release that come together.
        const KeyCode q = XKeysymToKeycode(dpy, XK_q);
        XTestFakeKeyEvent(dpy, q, True, CurrentTime);
        XFlush(dpy);
        p.next();
        XTestFakeKeyEvent(dpy, q, False, CurrentTime);
        XFlush(dpy);
    }

    {
        Probe p(probe, "game");
        const unsigned long long with = p.next(), without = p.next();
        std::snprintf(v, sizeof v, "%llu fps", with);
        row("game loop: 51 boxes, ML, kbhit", v, "");
        std::snprintf(v, sizeof v, "%llu fps", without);
        row("game loop: 51 boxes, ML", v, "");
    }
    XCloseDisplay(dpy);
    return 0;
}
