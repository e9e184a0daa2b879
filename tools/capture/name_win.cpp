// The program's name, from its module's file name.
#include "capture/capture.h"

namespace dgtools {

std::string programname() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = n > 0 && n < MAX_PATH ? std::string(path, n) : "dg";
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name = name.substr(0, dot);
    return name.empty() ? "dg" : name;
}

} // namespace dgtools
