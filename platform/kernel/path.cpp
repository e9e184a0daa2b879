// File names as Windows reads them: `\` as a separator, letter case ignored
// where the exact name is missing (as Wine finds Windows names on Unix).
#include "kernel/path.h"

#include "kernel/cp932.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace dgp {

namespace {

bool exists(const std::string &path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// The name with the case of ASCII letters and of full-width Latin letters
// (U+FF21..U+FF3A, in UTF-8 EF BC A1..BA) folded to lower case (U+FF41..
// U+FF5A, EF BD 81..9A).
std::string folded(const std::string &name) {
    std::string out = name;
    for (size_t i = 0; i < out.size(); i++) {
        unsigned char c = (unsigned char)out[i];
        if (c >= 'A' && c <= 'Z') {
            out[i] = (char)(c - 'A' + 'a');
        } else if (c == 0xEF && i + 2 < out.size() && (unsigned char)out[i + 1] == 0xBC &&
                   (unsigned char)out[i + 2] >= 0xA1 && (unsigned char)out[i + 2] <= 0xBA) {
            out[i + 1] = (char)0xBD;
            out[i + 2] = (char)((unsigned char)out[i + 2] - 0xA1 + 0x81);
            i += 2;
        }
    }
    return out;
}

std::string join(const std::string &dir, const std::string &name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

// The entry of dir whose name matches name ignoring case, first in byte
// order; "" when there is none.
std::string findfolded(const std::string &dir, const std::string &name) {
    DIR *d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return "";
    const std::string want = folded(name);
    std::string best;
    while (dirent *e = readdir(d)) {
        const std::string entry = e->d_name;
        if (entry == "." || entry == "..") continue;
        if (folded(entry) == want && (best.empty() || entry < best)) best = entry;
    }
    closedir(d);
    return best;
}

bool hasdrive(const std::string &path) {
    return path.size() >= 2 && path[1] == ':' && std::isalpha((unsigned char)path[0]);
}

} // namespace

std::string hostpath(const char *cp932) {
    if (!cp932 || !*cp932) return "";
    std::string path = utf8(cp932);
    if (path.empty()) return "";
    std::replace(path.begin(), path.end(), '\\', '/');
    if (hasdrive(path) || exists(path)) return path;

    // Component by component: the exact name where it exists, else the
    // folded match.
    std::string found = path[0] == '/' ? "/" : "";
    size_t at = 0;
    while (at < path.size()) {
        size_t end = path.find('/', at);
        if (end == std::string::npos) end = path.size();
        const std::string part = path.substr(at, end - at);
        at = end + 1;
        if (part.empty()) continue; // repeated separators read as one
        std::string next = join(found, part);
        if (part != "." && part != ".." && !exists(next)) {
            const std::string match = findfolded(found, part);
            if (match.empty()) return path;
            next = join(found, match);
        }
        found = next;
    }
    return found;
}

} // namespace dgp
