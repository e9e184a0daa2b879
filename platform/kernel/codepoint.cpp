// CP932 characters through iconv's "CP932" table (not "SHIFT_JIS", which maps
// 0x5C to the yen sign and 0x7E to the overline).
#include "kernel/cp932.h"

#include <cstring>
#include <iconv.h>

namespace dgp {

char32_t codepoint(const unsigned char *s, int n) {
    if (n == 1 && s[0] < 0x80) return s[0];
    static iconv_t cd = iconv_open("UTF-32LE", "CP932"); // opened once and kept
    if (cd == (iconv_t)-1 || n < 1 || n > 2) return 0xFFFD;
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // reset shift state
    char in[2], out[8];
    std::memcpy(in, s, (size_t)n);
    char *ip = in, *op = out;
    size_t il = (size_t)n, ol = sizeof out;
    if (iconv(cd, &ip, &il, &op, &ol) == (size_t)-1 || il != 0 || sizeof out - ol != 4)
        return 0xFFFD;
    const unsigned char *u = (const unsigned char *)out;
    return (char32_t)u[0] | (char32_t)u[1] << 8 | (char32_t)u[2] << 16 | (char32_t)u[3] << 24;
}

} // namespace dgp
