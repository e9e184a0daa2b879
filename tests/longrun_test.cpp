// Long runs: surfaces, bitmaps and fonts made and released over and over
// leave resident memory and object counts where they were. DG_LONGRUN sets
// the number of cycles (100000 for the full run); the default keeps the
// suite quick.
#include "fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

long cycles(long normal) {
    const char *v = std::getenv("DG_LONGRUN");
    long n = v ? std::strtol(v, nullptr, 10) : 0;
    return n > 0 ? n : normal;
}

// Memory may grow by this much while the heap settles, never by a leak's worth.
const long slackkb = 8 * 1024;

template <class F> void flat(const char *what, long n, F cycle) {
    openwindow();
    for (int i = 0; i < 50; i++) cycle(); // let the heap and caches settle
    const long kb0 = hook_residentkb(), obj0 = hook_gdiobjects();
    for (long i = 0; i < n; i++) cycle();
    const long kb1 = hook_residentkb(), obj1 = hook_gdiobjects();
    std::printf("%s: %ld cycles, resident %ld -> %ld kB, GDI objects %ld -> %ld\n", what, n, kb0,
                kb1, obj0, obj1);
    EXPECT_EQ(obj1, obj0) << what;
    EXPECT_GT(kb0, 0);
#ifndef DG_ASAN // freed memory sits in the sanitizer's quarantine; its leak check covers this
    EXPECT_LE(kb1 - kb0, slackkb) << what;
#endif
}

} // namespace

TEST(LongRun, BackBuffers) {
    flat("dg_createBB/dg_deleteBB", cycles(300), [] {
        HDC bb = dg_createBB();
        dg_pset(bb, 1, 1, 4);
        dg_deleteBB(bb);
    });
    HDC bb = dg_createBB();
    bai = 1;
    dg_pset(bb, 3, 4, 12);
    EXPECT_EQ(GetPixel(bb, 7, 9), (COLORREF)0x5454FC);
    EXPECT_EQ(GetPixel(bb, 8, 8), (COLORREF)0xFFFFFF);
    dg_deleteBB(bb);
}

TEST(LongRun, Bitmaps) {
    const std::string file = std::string(DG_BMPSUITE) + "/g/pal8.bmp";
    flat("dg_loadbmp/dg_deletebmp", cycles(2000), [&] { dg_deletebmp(dg_loadbmp(file.c_str())); });
    HDC m = dg_loadbmp(file.c_str());
    EXPECT_NE(GetPixel(m, 0, 0), CLR_INVALID);
    dg_deletebmp(m);
}

TEST(LongRun, VideoModes) {
    flat("dg_setvideomode(19)/(3)", cycles(2000), [] {
        dg_setvideomode(19);
        dg_setvideomode(3);
    });
    EXPECT_EQ(hfont, (HFONT) nullptr);
}
