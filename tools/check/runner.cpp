// The entry of a program's check build (dg check, dg_add_check): instead of
// the window and the keyboard, a script. The program runs with no display
// and on its own time (toolhook.h): pauses return at once, every poll moves
// the clock by a step, so the same script takes it through the same steps
// and gives the same frames on every run and machine.
//
//   NAME-check [--update] [--golden DIR] [--out DIR] SCRIPT
//
// Each `frame` is compared with DIR/NAME.png (default: golden/ beside the
// script): a line PASS NAME, FAIL NAME (how many pixels differ and the
// first, and NAME.diff.png in the --out folder showing them), or NEW NAME
// (no golden: written, and counted as failed); --update writes every golden.
// The last line is "N passed, M failed". Exit status: 0 when every frame
// passed, 1 when one did not, 2 for a fault in the script or a program that
// ended early or did not reach a step in time.
#include "capture/capture.h"
#include "capture/screenshot.h"
#include "check/script.h"
#include "kernel/cp932.h"
#include "toolhook.h"
#include "user/poll.h"
#include "user/window.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using dgtools::Line;
using dgtools::Op;

namespace {

// How long a step that waits for the program (tap, idle, end) may take of
// its time, and of the machine's, before the check gives up on it.
constexpr uint64_t steplimit = 60000;          // ms of the program's time
constexpr std::chrono::seconds reallimit{120}; // of the machine's
// The program is idle when it polls and has drawn nothing for this long.
constexpr uint64_t idletime = 100; // ms
// A tap comes at least this long after the script's last change of a key,
// as a hand's would: a program that waits for a key to be let go sees it go
// before the next one comes.
constexpr uint64_t tapgap = 100; // ms

struct Options {
    std::string script, golden, out;
    bool update = false;
} opt;

std::vector<Line> steps;
std::atomic<size_t> current{0}; // the step under way (read by the watchdog)
// The program's time when the step under way began: when the one before it
// ended, the first at the program's start, as F8 counts them.
uint64_t began;
int answer;              // for the next message box; 0 none
bool down[256];          // the keys as the script holds them
bool tapseen;            // the tapped key was read
bool tapdown;            // the tapped key was pressed
uint64_t changed;        // the program's time at the last change of a key
uint64_t tapdraws;       // drawing done when it was
uint64_t draws, drawnat; // drawing seen so far, and when it last grew
int passed, failed;

[[noreturn]] void quit(int status) {
    std::fflush(nullptr);
    _exit(status);
}

[[noreturn]] void fault(const Line *s, const std::string &what) {
    if (s)
        std::fprintf(stderr, "%s: line %d: %s\n", opt.script.c_str(), s->number, what.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", opt.script.c_str(), what.c_str());
    quit(2);
}

std::chrono::steady_clock::time_point started;

[[noreturn]] void finish() {
    const double real =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::fprintf(stderr, "check: %llu ms of the program's own time in %.2f s\n",
                 (unsigned long long)dgp::owntime, real);
    std::printf("%d passed, %d failed\n", passed, failed);
    quit(failed ? 1 : 0);
}

HWND window() {
    dgp::Window *w = dgp::mainwindow();
    return w ? w->hwnd : nullptr;
}

void setkey(int vk, bool isdown) {
    down[vk] = isdown;
    changed = dgp::owntime;
    // As the keyboard does: the key state, and a message in the queue.
    if (HWND hwnd = window())
        PostMessageA(hwnd, isdown ? WM_KEYDOWN : WM_KEYUP, (WPARAM)vk, isdown ? 1 : 0xC0000001);
}

bool save(const std::string &path, const std::vector<unsigned char> &bytes) {
    std::FILE *f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) ok = false;
    return ok;
}

std::string hex(const unsigned char *p) {
    char s[8];
    std::snprintf(s, sizeof s, "#%02x%02x%02x", p[0], p[1], p[2]);
    return s;
}

// The golden's pixels where they are the frame's, dimmed to a quarter in
// grey; each pixel that differs in full red.
std::vector<unsigned char> diffimage(const std::vector<unsigned char> &now,
                                     const unsigned char *golden, size_t n) {
    std::vector<unsigned char> d(n * 3);
    for (size_t i = 0; i < n; i++) {
        const unsigned char *a = &now[i * 3], *b = golden + i * 3;
        unsigned char *o = &d[i * 3];
        if (a[0] != b[0] || a[1] != b[1] || a[2] != b[2]) {
            o[0] = 255, o[1] = 0, o[2] = 0;
        } else {
            o[0] = o[1] = o[2] = (unsigned char)((b[0] * 3 + b[1] * 6 + b[2]) / 40);
        }
    }
    return d;
}

void frame(const Line &s) {
    HWND hwnd = window();
    if (!hwnd) fault(&s, "frame " + s.name + ": the program has no window");
    int w = 0, h = 0;
    const std::vector<unsigned char> rgb = dgtools::clientpixels(hwnd, w, h);
    const std::vector<unsigned char> png = dgtools::encodepng(rgb, w, h);
    if (png.empty()) fault(&s, "frame " + s.name + ": the window has no pixels");
    const std::string golden = opt.golden + "/" + s.name + ".png";
    int gw = 0, gh = 0, comp = 0;
    unsigned char *g = opt.update ? nullptr : stbi_load(golden.c_str(), &gw, &gh, &comp, 3);
    if (!g) {
        mkdir(opt.golden.c_str(), 0777);
        if (!save(golden, png)) fault(&s, "could not write " + golden);
        if (opt.update) {
            std::printf("UPDATED %s\n", s.name.c_str());
            passed++;
        } else {
            std::printf("NEW %s (written to %s)\n", s.name.c_str(), golden.c_str());
            failed++;
        }
        return;
    }
    std::string line;
    if (gw != w || gh != h) {
        line = "the frame is " + std::to_string(w) + "x" + std::to_string(h) + ", the golden " +
               std::to_string(gw) + "x" + std::to_string(gh);
    } else {
        const size_t n = (size_t)w * h;
        size_t differ = 0, first = 0;
        for (size_t i = 0; i < n; i++)
            if (rgb[i * 3] != g[i * 3] || rgb[i * 3 + 1] != g[i * 3 + 1] ||
                rgb[i * 3 + 2] != g[i * 3 + 2])
                if (differ++ == 0) first = i;
        if (differ) {
            const std::string path = opt.out + "/" + s.name + ".diff.png";
            mkdir(opt.out.c_str(), 0777);
            save(path, dgtools::encodepng(diffimage(rgb, g, n), w, h));
            line = std::to_string(differ) + " pixels differ, the first at (" +
                   std::to_string(first % w) + ", " + std::to_string(first / w) +
                   "): " + hex(&rgb[first * 3]) + " where the golden has " + hex(g + first * 3) +
                   " (" + path + ")";
        }
    }
    stbi_image_free(g);
    if (line.empty()) {
        std::printf("PASS %s\n", s.name.c_str());
        passed++;
    } else {
        save(opt.out + "/" + s.name + ".png", png);
        std::printf("FAIL %s: %s\n", s.name.c_str(), line.c_str());
        failed++;
    }
    std::fflush(stdout);
}

void overdue(const Line &s, const char *what) {
    if (dgp::owntime - began > steplimit)
        fault(&s, std::string(what) + " within " + std::to_string(steplimit) +
                      " ms of the program's own time");
}

// Where the steps go on: at each step of the program (after its clock
// moved), and before a message box.
enum class At { keypoll, messagepoll, pause, box };

void run(At at) {
    if (dgp::drawcount != draws) {
        draws = dgp::drawcount;
        drawnat = dgp::owntime;
    }
    while (current < steps.size()) {
        const Line &s = steps[current];
        switch (s.op) {
        case Op::wait:
            if (dgp::owntime - began < s.ms) return;
            break;
        case Op::press:
        case Op::release:
            setkey(s.vk, s.op == Op::press);
            break;
        case Op::tap:
            if (!tapdown) {
                if (dgp::owntime - changed < tapgap) return;
                setkey(s.vk, true);
                tapdown = true;
                return;
            }
            // Held until the program, having read it, does something else
            // than poll keys: so kbhit() followed by getch() both see it.
            if (!tapseen || (at == At::keypoll && dgp::drawcount == tapdraws)) {
                overdue(s, "the program did not read the key");
                return;
            }
            setkey(s.vk, false);
            break;
        case Op::idle:
            if (at == At::pause || at == At::box || dgp::owntime - drawnat < idletime) {
                overdue(s, "the program did not come to wait for a key");
                return;
            }
            break;
        case Op::frame:
            frame(s);
            break;
        case Op::answer:
            answer = s.answer;
            break;
        case Op::end:
            overdue(s, "the program did not end");
            return;
        }
        current++;
        began = dgp::owntime;
        tapseen = tapdown = false;
    }
    finish();
}

void stepped(dgp::Step kind) {
    run(kind == dgp::Step::keypoll       ? At::keypoll
        : kind == dgp::Step::messagepoll ? At::messagepoll
                                         : At::pause);
}

// The program read key vk while it was down: a tap of it is seen.
void sawkey(int vk) {
    if (current < steps.size() && steps[current].op == Op::tap && steps[current].vk == vk &&
        down[vk] && !tapseen) {
        tapseen = true;
        tapdraws = dgp::drawcount;
    }
}

bool keypoll(int vk, bool) {
    sawkey(vk);
    return down[vk];
}

// Esc alone reaches a program as a message only; the other keys it polls.
void keymessage(int vk, bool isdown) {
    if (vk == VK_ESCAPE && isdown) sawkey(vk);
}

int box(const char *text, const char *caption, unsigned type) {
    run(At::box);
    const Line *s = current < steps.size() ? &steps[current] : nullptr;
    const std::string what =
        "a message box (\"" + dgp::utf8(caption) + "\": \"" + dgp::utf8(text) + "\")";
    if (!answer) fault(s, what + " came with no `answer` step before it");
    const int id = answer;
    answer = 0;
    const bool yesno = (type & 0xF) == MB_YESNO;
    if (yesno != (id != IDOK))
        fault(s, std::string("answer ") + dgtools::answerword(id) + " for " + what +
                     (yesno ? ", which asks yes or no" : ", which offers OK"));
    return id;
}

void answered(int) {}

void ended(int code) {
    // A key the program read and ended on was tapped in full.
    if (current < steps.size() && steps[current].op == Op::tap && tapseen) current++;
    if (current < steps.size()) {
        const Line &s = steps[current];
        if (s.op != Op::end)
            fault(&s,
                  "the program ended (exit code " + std::to_string(code) + ") before this step");
        if (code != 1)
            fault(&s, "the program ended with exit code " + std::to_string(code) + ", not 1");
        current++;
    }
    finish();
}

const dgp::Watch check{true, stepped, keypoll, keymessage, box, answered, ended, nullptr};

// A program that computes without a step (no poll, pause or message) never
// moves its own clock: the machine's clock catches that.
void watchdog() {
    size_t seen = current;
    auto since = std::chrono::steady_clock::now();
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        if (current != seen) {
            seen = current;
            since = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - since > reallimit) {
            const Line *s = seen < steps.size() ? &steps[seen] : nullptr;
            fault(s, "the program did not get past this step in " +
                         std::to_string(reallimit.count()) +
                         " s (working without polling keys, pausing or pumping messages?)");
        }
    }
}

[[noreturn]] void usage() {
    std::fprintf(stderr, "usage: check [--update] [--golden DIR] [--out DIR] SCRIPT\n");
    quit(2);
}

} // namespace

int main(int argc, char **argv) {
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        if (a == "--update")
            opt.update = true;
        else if ((a == "--golden" || a == "--out") && i + 1 < argc)
            (a == "--golden" ? opt.golden : opt.out) = argv[++i];
        else if (a.empty() || a[0] == '-' || !opt.script.empty())
            usage();
        else
            opt.script = a;
    }
    if (opt.script.empty()) usage();
    std::ifstream in(opt.script, std::ios::binary);
    std::stringstream text;
    if (!in || !(text << in.rdbuf())) {
        std::fprintf(stderr, "check: cannot read %s\n", opt.script.c_str());
        return 2;
    }
    std::string error;
    if (!dgtools::parsescript(text.str(), steps, error)) {
        std::fprintf(stderr, "%s: %s\n", opt.script.c_str(), error.c_str());
        return 2;
    }
    const size_t slash = opt.script.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : opt.script.substr(0, slash);
    if (opt.golden.empty()) opt.golden = folder + "/golden";
    if (opt.out.empty()) opt.out = ".";
    // The check's own process: no display, whatever this machine has.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    dgp::watch = &check;
    started = std::chrono::steady_clock::now();
    std::thread(watchdog).detach();
    char empty[1] = {0};
    WinMain(GetModuleHandleA(nullptr), nullptr, empty, 1);
    finish();
}
