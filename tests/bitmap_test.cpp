// BMP files: the good ones decode to the same picture, the others are decoded
// or refused without harm, and a missing file ends the process.
#include "fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <direct.h>
#else
#include "kernel/cp932.h"

#include <sys/stat.h>
#endif

namespace {

std::string suite(const char *name) { return std::string(DG_BMPSUITE) + "/" + name; }

// v as n little-endian bytes at f[at].
void put(std::vector<unsigned char> &f, size_t at, unsigned v, int n) {
    for (int i = 0; i < n; i++) f[at + i] = (unsigned char)(v >> (8 * i));
}

// The file and info headers of a w x h picture of `bits` bits per pixel with
// `colors` palette entries (all zero) and `data` bytes after them; the data's
// size is recorded for compressed pictures only, as encoders do.
std::vector<unsigned char> headers(int w, int h, int bits, unsigned comp, unsigned colors,
                                   size_t data) {
    std::vector<unsigned char> f(14 + 40 + 4 * colors, 0);
    f[0] = 'B';
    f[1] = 'M';
    put(f, 2, (unsigned)(f.size() + data), 4);
    put(f, 10, (unsigned)f.size(), 4);
    put(f, 14, 40, 4);
    put(f, 18, (unsigned)w, 4);
    put(f, 22, (unsigned)h, 4);
    put(f, 26, 1, 2);
    put(f, 28, (unsigned)bits, 2);
    put(f, 30, comp, 4);
    if (comp) put(f, 34, (unsigned)data, 4);
    put(f, 46, colors, 4);
    return f;
}

bool writefile(const char *path, const std::vector<unsigned char> &f) {
    FILE *out = std::fopen(path, "wb");
    if (!out) return false;
    bool ok = std::fwrite(f.data(), 1, f.size(), out) == f.size();
    return std::fclose(out) == 0 && ok;
}

HBITMAP load(const std::string &path) {
    return (HBITMAP)LoadImageA(GetModuleHandleA(nullptr), path.c_str(), IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

// Every pixel of a loaded surface, or none when it does not load.
std::vector<COLORREF> pixels(const std::string &path, int w, int h) {
    HBITMAP b = load(path);
    std::vector<COLORREF> out;
    if (!b) return out;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, b);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) out.push_back(GetPixel(dc, x, y));
    DeleteDC(dc);
    DeleteObject(b);
    return out;
}

// A name on disk from its CP932 form: a Windows program's own encoding is
// CP932, elsewhere names are UTF-8.
#ifdef _WIN32
std::string disk(const std::string &cp932) { return cp932; }
void makedir(const std::string &path) { _mkdir(path.c_str()); }
#else
std::string disk(const std::string &cp932) { return dgp::utf8(cp932.c_str()); }
void makedir(const std::string &path) { mkdir(path.c_str(), 0755); }
#endif

// A 1 x 1 picture of the colour c (0x00BBGGRR) at the CP932 path.
bool onepixel(const std::string &path, COLORREF c) {
    std::vector<unsigned char> f = headers(1, 1, 24, 0, 0, 4);
    const unsigned char bgr0[4] = {(unsigned char)(c >> 16), (unsigned char)(c >> 8),
                                   (unsigned char)c, 0};
    f.insert(f.end(), bgr0, bgr0 + 4);
    return writefile(disk(path).c_str(), f);
}

COLORREF colour(const std::string &name) {
    std::vector<COLORREF> p = pixels(name, 1, 1);
    return p.empty() ? CLR_INVALID : p[0];
}

} // namespace

TEST(Bitmaps, GoodFilesShowTheSamePicture) {
    openwindow();
    std::vector<COLORREF> ref = pixels(suite("g/rgb24.bmp"), 127, 64);
    ASSERT_EQ(ref.size(), 127u * 64u);
    EXPECT_EQ(ref[0] == ref[127 * 32 + 64], false);
    for (const char *f : {"g/rgb32.bmp", "g/rgb32bf.bmp", "g/rgb32bfdef.bmp", "g/rgb24pal.bmp"})
        EXPECT_EQ(pixels(suite(f), 127, 64), ref) << f;
    std::vector<COLORREF> p8 = pixels(suite("g/pal8.bmp"), 127, 64);
    ASSERT_FALSE(p8.empty());
    // Wine shows the top-down file black and the OS/2 one with other colours
    // (it writes a field of a longer header into the OS/2 file's palette).
    if (!hook_wine()) {
        for (const char *f : {"g/pal8topdown.bmp", "g/pal8os2.bmp"})
            EXPECT_EQ(pixels(suite(f), 127, 64), p8) << f;
    }
    for (const char *f : {"g/pal8rle.bmp", "g/pal8v4.bmp", "g/pal8v5.bmp", "g/pal8-0.bmp"})
        EXPECT_EQ(pixels(suite(f), 127, 64), p8) << f;
    std::vector<COLORREF> p4 = pixels(suite("g/pal4.bmp"), 127, 64);
    ASSERT_FALSE(p4.empty());
    EXPECT_EQ(pixels(suite("g/pal4rle.bmp"), 127, 64), p4);
    std::vector<COLORREF> r16 = pixels(suite("g/rgb16.bmp"), 127, 64);
    ASSERT_FALSE(r16.empty());
    // Five bits widened as GDI widens them, v << 3 | v >> 2: 0x79AD at (13, 2)
    // and 0x4E73 at (97, 0) in the file.
    EXPECT_EQ(r16[2 * 127 + 13], RGB(0xF7, 0x6B, 0x6B));
    EXPECT_EQ(r16[97], RGB(0x9C, 0x9C, 0x9C));
    EXPECT_EQ(pixels(suite("g/rgb16bfdef.bmp"), 127, 64), r16);
    std::vector<COLORREF> r565 = pixels(suite("g/rgb16-565.bmp"), 127, 64);
    ASSERT_FALSE(r565.empty());
    EXPECT_EQ(pixels(suite("g/rgb16-565pal.bmp"), 127, 64), r565);
    for (const char *f :
         {"g/pal1.bmp", "g/pal1bg.bmp", "g/pal1wb.bmp", "g/pal4gs.bmp", "g/pal8gs.bmp",
          "g/pal8nonsquare.bmp", "g/pal8w124.bmp", "g/pal8w125.bmp", "g/pal8w126.bmp"})
        EXPECT_FALSE(pixels(suite(f), 1, 1).empty()) << f;
}

TEST(Bitmaps, BadAndQuestionableFilesAreHarmless) {
    openwindow();
    const char *files[] = {"b/badbitcount.bmp",
                           "b/badbitssize.bmp",
                           "b/baddens1.bmp",
                           "b/baddens2.bmp",
                           "b/badfilesize.bmp",
                           "b/badheadersize.bmp",
                           "b/badpalettesize.bmp",
                           "b/badplanes.bmp",
                           "b/badrle.bmp",
                           "b/badrle4.bmp",
                           "b/badrle4bis.bmp",
                           "b/badrle4ter.bmp",
                           "b/badrlebis.bmp",
                           "b/badrleter.bmp",
                           "b/badwidth.bmp",
                           "b/pal8badindex.bmp",
                           "b/reallybig.bmp",
                           "b/rgb16-880.bmp",
                           "b/rletopdown.bmp",
                           "b/shortfile.bmp",
                           "q/pal1huffmsb.bmp",
                           "q/pal1p1.bmp",
                           "q/pal2.bmp",
                           "q/pal2color.bmp",
                           "q/pal4rlecut.bmp",
                           "q/pal4rletrns.bmp",
                           "q/pal8offs.bmp",
                           "q/pal8os2-hs.bmp",
                           "q/pal8os2-sz.bmp",
                           "q/pal8os2sp.bmp",
                           "q/pal8os2v2-16.bmp",
                           "q/pal8os2v2-40sz.bmp",
                           "q/pal8os2v2-sz.bmp",
                           "q/pal8os2v2.bmp",
                           "q/pal8oversizepal.bmp",
                           "q/pal8rlecut.bmp",
                           "q/pal8rletrns.bmp",
                           "q/rgb16-231.bmp",
                           "q/rgb16-3103.bmp",
                           "q/rgb16faketrns.bmp",
                           "q/rgb24jpeg.bmp",
                           "q/rgb24largepal.bmp",
                           "q/rgb24lprof.bmp",
                           "q/rgb24png.bmp",
                           "q/rgb24prof.bmp",
                           "q/rgb24prof2.bmp",
                           "q/rgb24rle24.bmp",
                           "q/rgb32-111110.bmp",
                           "q/rgb32-7187.bmp",
                           "q/rgb32-xbgr.bmp",
                           "q/rgb32fakealpha.bmp",
                           "q/rgb32h52.bmp",
                           "q/rgba16-1924.bmp",
                           "q/rgba16-4444.bmp",
                           "q/rgba16-5551.bmp",
                           "q/rgba32-1.bmp",
                           "q/rgba32-1010102.bmp",
                           "q/rgba32-2.bmp",
                           "q/rgba32-61754.bmp",
                           "q/rgba32-81284.bmp",
                           "q/rgba32abf.bmp",
                           "q/rgba32h56.bmp",
                           "q/rgba64.bmp"};
    for (const char *f : files) {
        if (HBITMAP h = load(suite(f))) DeleteObject(h);
    }
    SUCCEED();
}

#ifndef _WIN32
// Wine's loader allocates for the claim instead.
TEST(Bitmaps, SmallFileClaimingHugePictureIsRefusedQuickly) {
    openwindow();
    // 394 bytes: headers for 30000 x 30000 at 32 bits, then a little data.
    std::vector<unsigned char> f = headers(30000, 30000, 32, 0, 0, 394 - 54);
    f.resize(394, 0);
    const char *path = "huge_claim_test.bmp"; // relative to the current directory
    ASSERT_TRUE(writefile(path, f));
    auto t0 = std::chrono::steady_clock::now();
    HBITMAP h = load(path);
    auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0)
            .count();
    std::remove(path);
    EXPECT_EQ(h, nullptr);
    EXPECT_LT(ms, 1000);
}
#endif

namespace {

// An 8-bit run-length file of w x h pixels: the lower half in palette entry 1
// (red), the upper half in entry 2 (blue), each row in runs of at most 255,
// or, when `early`, only the first row before the end-of-picture mark.
std::vector<unsigned char> rle8(int w, int h, bool early) {
    std::vector<unsigned char> data;
    for (int r = 0; r < h; r++) {
        const unsigned char idx = r < h / 2 ? 1 : 2;
        for (int left = w; left > 0; left -= 255) {
            data.push_back((unsigned char)(left < 255 ? left : 255));
            data.push_back(idx);
        }
        if (early) break;
        data.push_back(0); // end of row
        data.push_back(0);
    }
    data.push_back(0); // end of picture
    data.push_back(1);
    std::vector<unsigned char> f = headers(w, h, 8, 1, 3, data.size()); // BI_RLE8
    put(f, 54 + 4, 0xFF0000, 4); // entry 1: red (blue, green, red, 0)
    put(f, 54 + 8, 0x0000FF, 4); // entry 2: blue
    f.insert(f.end(), data.begin(), data.end());
    return f;
}

} // namespace

// A run-length picture of two megapixels in 18 kB is an ordinary file and
// loads; the same header with one row of data before the end is refused
// natively (Wine loads it, leaving the rest unset).
TEST(Bitmaps, LargeRunLengthPictureLoadsAndNearlyEmptyOneIsRefused) {
    openwindow();
    const char *path = "rle8_large_test.bmp"; // relative to the current directory
    ASSERT_TRUE(writefile(path, rle8(2000, 1000, false)));
    HBITMAP b = load(path);
    ASSERT_NE(b, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, b);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255)); // top row: the last one in the file
    EXPECT_EQ(GetPixel(dc, 1999, 499), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 1999, 500), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1784, 999), RGB(255, 0, 0)); // where a run of 255 meets the next
    EXPECT_EQ(GetPixel(dc, 1785, 999), RGB(255, 0, 0));
    DeleteDC(dc);
    DeleteObject(b);

    ASSERT_TRUE(writefile(path, rle8(2000, 1000, true)));
    HBITMAP e = load(path);
    std::remove(path);
#ifndef _WIN32
    EXPECT_EQ(e, nullptr);
#else
    if (e) DeleteObject(e);
#endif
}

TEST(Bitmaps, LoadedSurfaceDrawsAndDeletes) {
    openwindow();
    HDC m = dg_loadbmp(suite("g/rgb24.bmp").c_str());
    std::vector<COLORREF> ref = pixels(suite("g/rgb24.bmp"), 127, 64);
    EXPECT_EQ(GetPixel(m, 0, 0), ref[0]);
    EXPECT_EQ(GetPixel(m, 126, 63), ref.back());
    dg_deletebmp(m);
    EXPECT_EQ(GetPixel(m, 0, 0), CLR_INVALID);
}

// Names as a Windows program gives them: `\` separates, letter case does not
// matter where the exact name is missing (ASCII and full-width letters, in
// folders named in CP932), and a drive is not mapped.
TEST(Bitmaps, NamesAreFoundAsWindowsFindsThem) {
    openwindow();
    const std::string folder = "names/\x89\xe6\x91\x9c";          // names/画像
    const std::string sub = folder + "/\x82\x93\x82\x95\x82\x82"; // ｓｕｂ
    for (const std::string &d : {std::string("names"), folder, sub}) makedir(disk(d));
    ASSERT_TRUE(onepixel(sub + "/Pic.bmp", 0x0000FF));
    ASSERT_TRUE(onepixel("names/pic.BMP", 0x00FF00));
    // ＳＵＢ for ｓｕｂ
    EXPECT_EQ(colour("NAMES\\\x89\xe6\x91\x9c\\\x82\x72\x82\x74\x82\x61\\pic.bmp"), 0x0000FFu);
    EXPECT_EQ(colour("names/\x89\xe6\x91\x9c/\x82\x93\x82\x95\x82\x82/PIC.BMP"), 0x0000FFu);
    EXPECT_EQ(colour("Names\\Pic.bmp"), 0x00FF00u);
    EXPECT_EQ(load("names\\none.bmp"), nullptr);
    EXPECT_EQ(load("Q:\\names\\pic.bmp"), nullptr);
#ifndef _WIN32
    // Windows has no two names that differ only in case; here the exact one
    // wins, else the first in byte order.
    ASSERT_TRUE(onepixel("names/Two.bmp", 0xFF0000));
    ASSERT_TRUE(onepixel("names/two.bmp", 0xFFFFFF));
    EXPECT_EQ(colour("names/two.bmp"), 0xFFFFFFu);
    EXPECT_EQ(colour("names/Two.bmp"), 0xFF0000u);
    EXPECT_EQ(colour("NAMES\\TWO.BMP"), 0xFF0000u);
#endif
}

#ifndef _WIN32
#include "testhook.h"
// Natively the box's texts are written out in hexadecimal, for the parent to
// check: "Bitmapロードエラー:" then the name, under "エラー", type 0x10.
[[maybe_unused]] static int showhex(const char *text, const char *caption, unsigned type) {
    std::string out = "box[";
    char b[8];
    for (const char *p = text; *p; p++)
        std::snprintf(b, sizeof b, "%02X", (unsigned char)*p), out += b;
    out += "][";
    for (const char *p = caption; *p; p++)
        std::snprintf(b, sizeof b, "%02X", (unsigned char)*p), out += b;
    std::snprintf(b, sizeof b, "][%X]", type);
    out += b;
    std::fprintf(stderr, "%s\n", out.c_str());
    std::fflush(stderr);
    return IDOK;
}
#endif

TEST(Bitmaps, MissingFileShowsMessageAndEnds) {
#ifndef _WIN32
    // "Bitmap" 83 8D 81 5B 83 68 83 47 83 89 81 5B ":" then "nofile.bmp".
    const char *want = "box\\[4269746D6170838D815B836883478389815B3A6E6F66696C652E626D70\\]"
                       "\\[834783898\\w*\\]\\[10\\]";
    EXPECT_EXIT(
        {
            openwindow();
            dgp_testmsgbox(showhex);
            dg_loadbmp("nofile.bmp");
        },
        testing::ExitedWithCode(1), want);
    // A long name is cut at a character boundary: 19 bytes of message, then
    // at most 60 of the name, and never half of a double-byte character.
    std::string name(59, 'a');
    name += "\x83\x41"; // would end at byte 61
    EXPECT_EXIT(
        {
            openwindow();
            dgp_testmsgbox(showhex);
            dg_loadbmp(name.c_str());
        },
        testing::ExitedWithCode(1), "3A(61){59}\\]");
#else
    EXPECT_EXIT(
        {
            openwindow();
            hook_msgbox_answer(IDOK);
            dg_loadbmp("nofile.bmp");
        },
        testing::ExitedWithCode(1), "");
#endif
}

#ifndef _WIN32
// With no hook and no one to answer (SDL's dummy driver shows nothing; its
// window is no parent for a box on a display beside it), the load error
// still ends the program with exit code 1, whatever state the window is in.
TEST(Bitmaps, MissingFileEndsTheProgramInEveryStateOfTheWindow) {
    for (int state : {0, 1, 2, 3}) {
        SCOPED_TRACE(state);
        EXPECT_EXIT(
            {
                if (state > 0) openwindow();
                if (state == 2) dg_setscreen(0, 0, 320, 200, 2, titlebar);
                if (state == 3) DestroyWindow(GetForegroundWindow());
                dg_loadbmp("nofile.bmp");
            },
            testing::ExitedWithCode(1), "nofile\\.bmp");
    }
}
#endif

// Names no file has, from none to 100,000 bytes, with bytes that start no
// character and a lead byte cut off: each one is told and ends the program.
TEST(Bitmaps, ExtremeFileNamesEndTheProgramTheSameWay) {
    struct Case {
        const char *name;
        std::string cut; // the name's bytes in the message, in hexadecimal
    };
    const std::string as(100000, 'A'), ffs(100000, '\xFF');
    std::string hexa, hexff;
    for (int i = 0; i < 60; i++) hexa += "41", hexff += "FF";
    const Case cases[] = {{nullptr, ""},        {"", ""},
                          {"\x82", ""},         {as.c_str(), hexa},
                          {ffs.c_str(), hexff}, {"\x82\xA0\x82", "82A0"}};
    for (const Case &c : cases) {
#ifndef _WIN32
        EXPECT_EXIT(
            {
                openwindow();
                dgp_testmsgbox(showhex);
                dg_loadbmp(c.name);
            },
            testing::ExitedWithCode(1), "815B3A" + c.cut + "\\]\\[8347");
#else
        EXPECT_EXIT(
            {
                openwindow();
                hook_msgbox_answer(IDOK);
                dg_loadbmp(c.name);
            },
            testing::ExitedWithCode(1), "");
#endif
    }
}
