// Text modes and dg_printf on the window.
#include "fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Text : testing::Test {
    void SetUp() override {
        openwindow();
        // A white field, so that every pixel text paints shows.
        HGDIOBJ old = SelectObject(gvram, GetStockObject(WHITE_BRUSH));
        PatBlt(gvram, 0, 0, 640, 400, PATCOPY);
        SelectObject(gvram, old);
    }
    void TearDown() override { dg_setvideomode(3); }
};

TEST_F(Text, SetVideoModeTwiceLeavesOneFont) {
    dg_setvideomode(19);
    HFONT first = hfont;
    ASSERT_NE(first, nullptr);
    dg_setvideomode(19);
    EXPECT_NE(hfont, nullptr);
    // The first font is gone: no surface takes it any more.
    HDC mem = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(mem, first), nullptr);
    EXPECT_NE(SelectObject(mem, hfont), nullptr);
    DeleteDC(mem);
    dg_setvideomode(3);
    EXPECT_EQ(hfont, nullptr);
    dg_setvideomode(3); // no font: harmless
    EXPECT_EQ(hfont, nullptr);
}

TEST_F(Text, PrintLeavesBlackOnWhiteAndTheOldFont) {
    dg_setvideomode(19);
    HGDIOBJ before = GetCurrentObject(gvram, OBJ_FONT);
    SetTextColor(gvram, 0x123456);
    SetBkColor(gvram, 0x654321);
    dg_printf(0, 0, 15, "state");
    EXPECT_EQ(GetTextColor(gvram), 0u);
    EXPECT_EQ(GetBkColor(gvram), 0xFFFFFFu);
    EXPECT_EQ(GetCurrentObject(gvram, OBJ_FONT), before);
}

// The cells of "test" at logical (10, 20): device (20, 40), 4 cells of 8 x 16
// (the last row of a cell is left to the face's height).
TEST_F(Text, CellsAreBlackBehindTheGlyphs) {
    dg_setvideomode(19);
    dg_printf(10, 20, 2, "test");
    int ink = 0;
    for (int y = 40; y < 40 + 15; y++)
        for (int x = 20; x < 20 + 32; x++) {
            COLORREF c = GetPixel(gvram, x, y);
            ASSERT_TRUE(c == 0 || c == 0x00A800) << x << "," << y << " " << std::hex << c;
            ink += c == 0x00A800;
        }
    EXPECT_GT(ink, 40);
    // Nothing beside or above the cells.
    for (int y = 38; y < 58; y++) EXPECT_EQ(GetPixel(gvram, 53, y), 0xFFFFFFu) << y;
    for (int x = 18; x < 54; x++) EXPECT_EQ(GetPixel(gvram, x, 39), 0xFFFFFFu) << x;
}

// The demo's three lines, pixel for pixel as data/demo-text.txt has them
// (device x 20-59, y 20-75: b blue, g green, m magenta, . black): the glyphs
// of the "ＭＳ 明朝" face's stand-in at 8 x 16, which the browser's page must
// show exactly so too. Windows draws its own face's glyphs.
TEST_F(Text, DemoLinesPixelForPixel) {
#ifdef _WIN32
    GTEST_SKIP() << "the system's own glyphs";
#endif
    std::ifstream in(std::string(DG_DATA) + "/demo-text.txt");
    std::vector<std::string> rows;
    for (std::string row; std::getline(in, row);) rows.push_back(row);
    ASSERT_EQ(rows.size(), 56u);
    dg_gcls(gvram, 0);
    dg_setvideomode(19);
    dg_printf(10, 20, 2, "test");
    dg_printf(10, 10, 1, "test");
    dg_printf(10, 30, 5, "cnt:%d", 1);
    dg_setvideomode(3);
    auto colour = [](char c) -> COLORREF {
        return c == 'b' ? 0xA80000 : c == 'g' ? 0x00A800 : c == 'm' ? 0xA800A8 : 0;
    };
    int wrong = 0;
    for (int y = 0; y < 96; y++)
        for (int x = 0; x < 80; x++) {
            const bool in = x >= 20 && x < 60 && y >= 20 && y < 76;
            const COLORREF want = in ? colour(rows[y - 20][x - 20]) : 0;
            if (GetPixel(gvram, x, y) != want && ++wrong < 8)
                ADD_FAILURE() << x << "," << y << ": " << std::hex << GetPixel(gvram, x, y);
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(Text, ColourUsesTheLowByteOfTheIndex) {
    dg_setvideomode(19);
    dg_printf(0, 0, 256 + 4, "W");
    bool red = false;
    for (int y = 0; y < 15; y++)
        for (int x = 0; x < 8; x++) red |= GetPixel(gvram, x, y) == 0x0000A8;
    EXPECT_TRUE(red);
}

TEST_F(Text, NulCharacterCutsTheLine) {
    dg_setvideomode(19);
    dg_printf(0, 0, 15, "ab%cde", 0);
    for (int y = 0; y < 15; y++) {
        EXPECT_EQ(GetPixel(gvram, 16, y), 0xFFFFFFu);
        EXPECT_EQ(GetPixel(gvram, 30, y), 0xFFFFFFu);
    }
    EXPECT_EQ(GetPixel(gvram, 15, 14), 0u); // the second cell is there
}

TEST_F(Text, LongOutputIsCutToTheBuffer) {
    dg_setvideomode(19);
    std::string s(400, 'x');
    dg_printf(0, 0, 15, "%s", s.c_str());
    // 254 half-width characters, then a double-byte one cut in half.
    dg_printf(0, 20, 15, "%s\x96\xBE", std::string(254, 'y').c_str());
    SUCCEED();
}

// wsprintfA formats as Windows' user32 does (Wine's own tests of it, checked
// on Windows, and Microsoft's description): sizes h, l, I32, I64 and I, a
// pointer as all its hexadecimal digits, at most 1023 bytes and the NUL,
// and nothing written past what it formats.
TEST(TextFormat, WsprintfAFormatsAsWindowsDoes) {
    char buf[1100];
    auto f = [&](const char *want, int rc) {
        EXPECT_STREQ(buf, want);
        EXPECT_EQ(rc, (int)std::strlen(want)) << want;
    };
    f("-000000001", wsprintfA(buf, "%010ld", -1));
    f("4294967295 ffffffff", wsprintfA(buf, "%lu %lx", -1, -1));
    f("123450067890A", wsprintfA(buf, "%I64X", (0x12345ULL << 32) | 0x67890a));
    f("543210000000", wsprintfA(buf, "%I64d", 543210LL * 1000000));
    f("FFFFFFFFFFFEDCBB", wsprintfA(buf, "%I64X", -0x12345LL));
    f("18446744073709551493", wsprintfA(buf, "%I64u", -123LL));
    f("fffedcbb", wsprintfA(buf, "%I32x", -0x12345));
    f("-12345", wsprintfA(buf, "%Id", (intptr_t)-12345));
    const bool wide = sizeof(void *) == 8;
    f(wide ? "fffffffffffedcbb" : "fffedcbb", wsprintfA(buf, "%Ix", (intptr_t)-0x12345));
    f(wide ? "FFFFFFFFFFFEDCBB" : "FFFEDCBB", wsprintfA(buf, "%p", (void *)(intptr_t)-0x12345));
    f(wide ? "00000000000000AB" : "000000AB", wsprintfA(buf, "%p", (void *)(intptr_t)0xAB));
    f("-7 65535", wsprintfA(buf, "%hd %hu", -7, 0xFFFF));
    f("[42   ] [   ab] [ab] [007] [0xff] [0XFF] [x] [(null)] [y] 5%",
      wsprintfA(buf, "[%-5d] [%5s] [%.2s] [%.3d] [%#x] [%#X] [%hc] [%s] [%y] %d%%", 42, "ab", "abc",
                7, 255, 255, 'x', (const char *)nullptr, 5));
    // "%I64X" of 0 is one digit: a buffer of 25 bytes keeps the rest.
    std::memset(buf, 0x11, sizeof buf);
    EXPECT_EQ(wsprintfA(buf, "%I64X", 0ULL), 1);
    EXPECT_STREQ(buf, "0");
    for (int i = 2; i < 25; i++) EXPECT_EQ(buf[i], 0x11) << i;
    // At most 1023 bytes and the NUL, whatever the width asked for.
    std::memset(buf, 0x11, sizeof buf);
    const std::string big(2000, 'a');
    const int rc = wsprintfA(buf, "%s%999999999999d", big.c_str(), 1);
    EXPECT_EQ(std::string(buf), big.substr(0, 1023));
    EXPECT_EQ(buf[1024], 0x11);
    if (!hook_wine()) { // Wine answers 1024
        EXPECT_EQ(rc, 1023);
    }
    // A width past that room pads what is left, and the value still shows.
    std::memset(buf, 0x11, sizeof buf);
    wsprintfA(buf, "%99999999999d|", 1);
    EXPECT_EQ(std::string(buf), std::string(1022, ' ') + "1");
    EXPECT_EQ(buf[1024], 0x11);
    wsprintfA(buf, "%5000s|", "z");
    EXPECT_EQ(std::string(buf), std::string(1022, ' ') + "z");
#ifndef _WIN32
    // Wide characters and strings are not made here: the output ends before them.
    static const unsigned short x16[] = {'x', 0};
    f("a", wsprintfA(buf, "a%Sb", x16));
    f("a", wsprintfA(buf, "a%lsb", x16));
    f("a", wsprintfA(buf, "a%lcb", 'x'));
#endif
}

TEST_F(Text, PrintWithoutAFontStillDraws) {
    dg_setvideomode(3);
    dg_printf(0, 0, 15, "A");
    EXPECT_EQ(GetPixel(gvram, 0, 0), 0u); // a black cell
}

} // namespace
