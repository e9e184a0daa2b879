// CP932 through iconv's "CP932" table (not "SHIFT_JIS", which maps 0x5C to
// the yen sign and 0x7E to the overline).
#include "kernel/cp932.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace dgp {

namespace {

// One converter per direction, opened on first use and kept.
iconv_t open(const char *to) { return iconv_open(to, "CP932"); }

iconv_t toutf8() {
    static iconv_t cd = open("UTF-8");
    return cd;
}

iconv_t toutf32() {
    static iconv_t cd = open("UTF-32LE");
    return cd;
}

// Converts one character of n bytes; false when iconv refuses it.
bool convert(iconv_t cd, const unsigned char *s, int n, char *out, size_t cap, size_t *outlen) {
    if (cd == (iconv_t)-1) return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // reset shift state
    char in[2];
    std::memcpy(in, s, (size_t)n);
    char *ip = in, *op = out;
    size_t il = (size_t)n, ol = cap;
    if (iconv(cd, &ip, &il, &op, &ol) == (size_t)-1 || il != 0) return false;
    *outlen = cap - ol;
    return *outlen > 0;
}

} // namespace

int charlen(const unsigned char *s) {
    if (!s || !s[0]) return 1;
    return cp932_lead(s[0]) && cp932_trail(s[1]) ? 2 : 1;
}

int charlen(const unsigned char *s, size_t len) {
    if (!s || len == 0) return 1;
    return len >= 2 && cp932_lead(s[0]) && cp932_trail(s[1]) ? 2 : 1;
}

char32_t codepoint(const unsigned char *s, int n) {
    if (n == 1 && s[0] < 0x80) return s[0];
    unsigned char out[8];
    size_t len = 0;
    if (!convert(toutf32(), s, n, (char *)out, sizeof out, &len) || len != 4) return 0xFFFD;
    return (char32_t)out[0] | (char32_t)out[1] << 8 | (char32_t)out[2] << 16 |
           (char32_t)out[3] << 24;
}

std::string utf8(const char *s, size_t len) {
    std::string r;
    if (!s) return r;
    const unsigned char *p = (const unsigned char *)s;
    size_t i = 0;
    while (i < len) {
        int n = charlen(p + i, len - i);
        if (n == 1 && p[i] < 0x80) {
            r += (char)p[i];
        } else {
            char out[8];
            size_t olen = 0;
            if (convert(toutf8(), p + i, n, out, sizeof out, &olen))
                r.append(out, olen);
            else
                r += "\xEF\xBF\xBD";
        }
        i += (size_t)n;
    }
    return r;
}

std::string utf8(const char *cp932) {
    return cp932 ? utf8(cp932, std::strlen(cp932)) : std::string();
}

} // namespace dgp
