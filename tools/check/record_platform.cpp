// Recording keys: from the program's start every change of a key it polls
// (and Esc as it takes it from its queue) is logged at the program's own
// time; F8 ends a recording by writing that log as a script, from the start,
// so that a replay takes the program through the same steps. Each F12 of a
// recording is taken at the program's next step, as a replay takes its
// frames, and saved beside the script's golden/ too.
#include "check/record.h"

#include "capture/capture.h"
#include "capture/gif.h"
#include "capture/screenshot.h"
#include "check/script.h"
#include "toolhook.h"

#include <cstdio>
#include <ctime>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace dgtools {

namespace {

struct Recorder {
    bool on = false;            // between the two presses of F8
    std::string log;            // the steps since the program started
    uint64_t logged = 0;        // the program's time at the last step logged
    signed char seen[256]{};    // what the program last saw of each key: 1 down, -1 up
    HWND framewindow = nullptr; // a screenshot due at the next step
    int frames = 0;
} rec;

void logstep(const std::string &step) {
    if (dgp::owntime > rec.logged)
        rec.log += "wait " + std::to_string(dgp::owntime - rec.logged) + "\n";
    rec.logged = dgp::owntime;
    rec.log += step + "\n";
}

void saw(int vk, bool down) {
    const signed char now = down ? 1 : -1;
    if (vk < 0 || vk >= 256 || rec.seen[vk] == now) return;
    const bool first = rec.seen[vk] == 0;
    rec.seen[vk] = now;
    if (const char *name = keyname(vk))
        if (!(first && !down)) logstep(std::string(down ? "press " : "release ") + name);
}

void write() {
    const std::string name = freshname(programname(), std::time(nullptr), "txt");
    const std::string text = "# The keys " + programname() +
                             " saw from its start, recorded with F8. Replay: dg check " + name +
                             "\n" + rec.log;
    savefile(name, std::vector<unsigned char>(text.begin(), text.end()));
}

void stepped(dgp::Step) {
    if (!rec.framewindow) return;
    HWND hwnd = rec.framewindow;
    rec.framewindow = nullptr;
    const std::string base = freshname(programname(), std::time(nullptr), "png");
    const std::string frame = base.substr(0, base.size() - 4);
    mkdir("golden", 0777);
    if (screenshotas(hwnd, base, "golden/" + base)) {
        logstep("frame " + frame);
        rec.frames++;
    }
}

bool keypoll(int vk, bool down) {
    saw(vk, down);
    return down;
}

// Only Esc reaches a program as a message alone; the other keys it polls.
void keymessage(int vk, bool down) {
    if (vk == VK_ESCAPE) saw(vk, down);
}

int box(const char *, const char *, unsigned) { return 0; }

void answered(int id) { logstep(std::string("answer ") + answerword(id)); }

void ended(int) {
    gifend();
    if (!rec.on) return;
    logstep("end");
    write();
}

const dgp::Watch recorder{false, stepped, keypoll, keymessage, box, answered, ended, gifframe};

// Watching starts with the program, so a recording replays from its start.
struct Install {
    Install() { dgp::watch = &recorder; }
} install;

} // namespace

bool togglerecording(HWND) {
    if (dgp::watch != &recorder) return false;
    if (!rec.on) {
        rec.on = true;
        rec.frames = 0;
        std::fprintf(stderr, "dg: recording keys (F8 again ends it)\n");
        return true;
    }
    rec.on = false;
    write();
    return true;
}

bool recordframe(HWND hwnd) {
    if (!rec.on || dgp::watch != &recorder) return false;
    rec.framewindow = hwnd;
    return true;
}

} // namespace dgtools
