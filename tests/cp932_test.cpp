// The browser decodes code page 932 with a table of its own (its C library
// has no CP932): natively, the table must decode every byte and every lead
// and trail byte pair exactly as iconv's "CP932" does.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#include "kernel/cp932.h"
#include "kernel/cp932_table.h"

#include <gtest/gtest.h>

TEST(Cp932, TableDecodesAsIconvDoes) {
    int differ = 0;
    for (int lead = 0x81; lead <= 0xFC; lead++) {
        if (!cp932_lead((unsigned char)lead)) continue;
        for (int trail = 0x40; trail <= 0xFC; trail++) {
            if (!cp932_trail((unsigned char)trail)) continue;
            const unsigned char s[2] = {(unsigned char)lead, (unsigned char)trail};
            const char32_t t = dgp::cp932_char(s[0], s[1]);
            const char32_t want = dgp::codepoint(s, 2);
            if ((t ? t : 0xFFFD) != want && ++differ < 10)
                ADD_FAILURE() << std::hex << lead << trail << ": table U+" << (unsigned)t
                              << ", iconv U+" << (unsigned)want;
        }
    }
    EXPECT_EQ(differ, 0);
    // Single bytes go by rule: ASCII, half-width kana, nothing else.
    for (int b = 0x80; b <= 0xFF; b++) {
        const unsigned char s[1] = {(unsigned char)b};
        if (cp932_lead(s[0])) continue;
        const char32_t want = b >= 0xA1 && b <= 0xDF ? 0xFF61 + (b - 0xA1) : 0xFFFD;
        EXPECT_EQ(dgp::codepoint(s, 1), want) << std::hex << b;
    }
}
#endif
