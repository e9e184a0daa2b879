// The program's name, from the executable the system started.
#include "capture/capture.h"

#include <unistd.h>

namespace dgtools {

std::string programname() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string name = n > 0 ? std::string(path, (size_t)n) : "dg";
    const size_t slash = name.rfind('/');
    if (slash != std::string::npos) name = name.substr(slash + 1);
    return name.empty() ? "dg" : name;
}

} // namespace dgtools
