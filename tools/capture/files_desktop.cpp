// Files in the current folder, on Linux and Windows.
#include "capture/capture.h"

#include <cstdio>

namespace dgtools {

bool fileexists(const std::string &name) {
    std::FILE *f = std::fopen(name.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

bool savefile(const std::string &name, const std::vector<unsigned char> &bytes) {
    std::FILE *f = std::fopen(name.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "dg: could not write %s\n", name.c_str());
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok) {
        std::fprintf(stderr, "dg: could not write %s\n", name.c_str());
        return false;
    }
    std::fprintf(stderr, "dg: %s\n", name.c_str());
    return true;
}

} // namespace dgtools
