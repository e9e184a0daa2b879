// Code page 932: character lengths, and UTF-8 made from the code points that
// codepoint() gives (codepoint.cpp through iconv, codepoint_web.cpp through
// the table in the browser, whose C library has no CP932).
#include "kernel/cp932.h"

#include <cstring>

namespace dgp {

namespace {

void append(std::string &r, char32_t c) {
    if (c < 0x80) {
        r += (char)c;
    } else if (c < 0x800) {
        r += (char)(0xC0 | c >> 6);
        r += (char)(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        r += (char)(0xE0 | c >> 12);
        r += (char)(0x80 | (c >> 6 & 0x3F));
        r += (char)(0x80 | (c & 0x3F));
    } else {
        r += (char)(0xF0 | c >> 18);
        r += (char)(0x80 | (c >> 12 & 0x3F));
        r += (char)(0x80 | (c >> 6 & 0x3F));
        r += (char)(0x80 | (c & 0x3F));
    }
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

std::string utf8(const char *s, size_t len) {
    std::string r;
    if (!s) return r;
    const unsigned char *p = (const unsigned char *)s;
    size_t i = 0;
    while (i < len) {
        int n = charlen(p + i, len - i);
        append(r, codepoint(p + i, n));
        i += (size_t)n;
    }
    return r;
}

std::string utf8(const char *cp932) {
    return cp932 ? utf8(cp932, std::strlen(cp932)) : std::string();
}

} // namespace dgp
