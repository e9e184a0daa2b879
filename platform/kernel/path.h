// File names as Windows reads them, on file systems that tell letter case
// apart: what a program written for Windows names, found where it lies here.
#pragma once

#include <string>

namespace dgp {

// The host path (UTF-8) of a CP932 file name. `\` separates components as `/`
// does; where the exact path does not exist, each component that is missing
// is matched ignoring the case of ASCII and full-width Latin letters. An
// exact name always wins; of several that differ only in case, the first in
// byte order. A name with a drive (`C:\...`) is not mapped. When nothing
// matches, the path is the name as given (with `/` for `\`), which does not
// open. An invalid name gives "".
std::string hostpath(const char *cp932);

} // namespace dgp
