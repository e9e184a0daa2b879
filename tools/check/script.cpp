// Reading check scripts, and the names of keys and answers in them.
#include "check/script.h"

#include "win32.h"

#include <cctype>
#include <set>
#include <sstream>

namespace dgtools {

namespace {

struct Named {
    const char *name;
    int vk;
};
const Named keys[] = {{"space", VK_SPACE}, {"enter", VK_RETURN}, {"esc", VK_ESCAPE}, {"up", VK_UP},
                      {"down", VK_DOWN},   {"left", VK_LEFT},    {"right", VK_RIGHT}};
const char *const letters[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
                               "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z"};
const char *const digits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

// The longest wait a script may ask: a day of the program's time.
constexpr uint64_t longestwait = 86400000;

bool framename(const std::string &s) {
    if (s.empty() || s.size() > 100 || s[0] == '.') return false;
    for (unsigned char c : s)
        if (!std::isalnum(c) && c != '-' && c != '_' && c != '.') return false;
    return true;
}

} // namespace

int keyvk(const std::string &name) {
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return 'A' + (name[0] - 'a');
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return name[0];
    for (const Named &k : keys)
        if (name == k.name) return k.vk;
    return 0;
}

const char *keyname(int vk) {
    if (vk >= 'A' && vk <= 'Z') return letters[vk - 'A'];
    if (vk >= '0' && vk <= '9') return digits[vk - '0'];
    for (const Named &k : keys)
        if (vk == k.vk) return k.name;
    return nullptr;
}

const char *answerword(int id) { return id == IDYES ? "yes" : id == IDNO ? "no" : "ok"; }

bool parsescript(const std::string &text, std::vector<Line> &steps, std::string &error) {
    std::istringstream in(text);
    std::string row;
    std::set<std::string> frames;
    for (int number = 1; std::getline(in, row); number++) {
        const size_t hash = row.find('#');
        if (hash != std::string::npos) row.erase(hash);
        std::istringstream words(row);
        std::string word, arg, extra;
        if (!(words >> word)) continue;
        words >> arg;
        const bool more = static_cast<bool>(words >> extra);
        const auto fault = [&](const std::string &what) {
            error = "line " + std::to_string(number) + ": " + what;
            return false;
        };
        Line s;
        s.number = number;
        const bool needsarg = word == "wait" || word == "press" || word == "release" ||
                              word == "tap" || word == "frame" || word == "answer";
        if (needsarg && arg.empty())
            return fault("`" + word + "` needs " +
                         (word == "wait"     ? "a number of milliseconds"
                          : word == "frame"  ? "a name"
                          : word == "answer" ? "yes, no or ok"
                                             : "a key"));
        if (!needsarg && !arg.empty()) return fault("`" + word + "` takes nothing after it");
        if (more) return fault("one step a line: `" + extra + "` is one word too many");
        if (word == "wait") {
            s.op = Op::wait;
            if (arg.find_first_not_of("0123456789") != std::string::npos || arg.size() > 9)
                return fault("wait takes whole milliseconds, not `" + arg + "`");
            s.ms = std::stoull(arg);
            if (s.ms > longestwait) return fault("wait " + arg + " is longer than a day");
        } else if (word == "press" || word == "release" || word == "tap") {
            s.op = word == "press" ? Op::press : word == "release" ? Op::release : Op::tap;
            s.vk = keyvk(arg);
            if (!s.vk)
                return fault("no key `" + arg +
                             "` (a-z, 0-9, space, enter, esc, up, down, left, right)");
        } else if (word == "idle") {
            s.op = Op::idle;
        } else if (word == "frame") {
            s.op = Op::frame;
            if (!framename(arg))
                return fault("a frame's name is letters, digits, '-', '_' and '.', not `" + arg +
                             "`");
            if (!frames.insert(arg).second) return fault("frame " + arg + " twice");
            s.name = arg;
        } else if (word == "answer") {
            s.op = Op::answer;
            s.answer = arg == "yes" ? IDYES : arg == "no" ? IDNO : arg == "ok" ? IDOK : 0;
            if (!s.answer) return fault("answer yes, no or ok, not `" + arg + "`");
        } else if (word == "end") {
            s.op = Op::end;
        } else {
            return fault("no step `" + word +
                         "` (wait, press, release, tap, idle, frame, answer, end)");
        }
        steps.push_back(s);
    }
    return true;
}

} // namespace dgtools
