// wsprintfA: printf-style formatting into a buffer of Windows' size.
#include "win32.h"

#include <cstdarg>
#include <cstdio>

namespace {
// Windows' wsprintfA writes at most this many bytes, the NUL included.
constexpr int wsprintfmax = 1024;
} // namespace

extern "C" int wsprintfA(LPSTR out, LPCSTR format, ...) {
    if (!out || !format) return 0;
    va_list ap;
    va_start(ap, format);
    int n = std::vsnprintf(out, wsprintfmax, format, ap);
    va_end(ap);
    return n < 0 ? 0 : n > wsprintfmax - 1 ? wsprintfmax - 1 : n;
}
