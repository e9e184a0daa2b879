// CP932 characters from the table cp932_table.py made of the code page (the
// browser's C library knows only SHIFT_JIS, which differs). It decodes as
// glibc's iconv "CP932" does: the suite compares the two natively.
#include "kernel/cp932.h"
#include "kernel/cp932_table.h"

namespace dgp {

char32_t codepoint(const unsigned char *s, int n) {
    if (n == 1) {
        if (s[0] < 0x80) return s[0];
        if (s[0] >= 0xA1 && s[0] <= 0xDF) return 0xFF61 + (s[0] - 0xA1); // half-width kana
        return 0xFFFD;
    }
    if (n != 2 || !cp932_lead(s[0]) || !cp932_trail(s[1])) return 0xFFFD;
    return cp932_char(s[0], s[1]) ? cp932_char(s[0], s[1]) : 0xFFFD;
}

} // namespace dgp
