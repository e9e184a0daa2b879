// The window host: palette, start-up, screen configuration, quitting.
#include "fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

RECT outer() {
    RECT r{};
    GetWindowRect(dg_window(), &r);
    return r;
}

std::string windowtext() {
    char buf[256] = {0};
    GetWindowTextA(dg_window(), buf, sizeof buf);
    return buf;
}

COLORREF vga(int r, int g, int b) { return RGB(r * 4, g * 4, b * 4); }

// The client area a framed window of cw x ch gets: as large as asked, where
// the desktop holds it; Windows makes no framed window larger than the
// maximum tracking size.
#ifndef SM_CXMAXTRACK
#define SM_CXMAXTRACK 59
#define SM_CYMAXTRACK 60
#endif
RECT heldclient(long long cw, long long ch) {
    RECT f{0, 0, 0, 0};
    AdjustWindowRect(&f, WS_OVERLAPPEDWINDOW, FALSE);
    const long long fw = f.right - f.left, fh = f.bottom - f.top;
    const long long mw = GetSystemMetrics(SM_CXMAXTRACK), mh = GetSystemMetrics(SM_CYMAXTRACK);
    return RECT{0, 0, (LONG)std::min(cw, mw - fw), (LONG)std::min(ch, mh - fh)};
}

} // namespace

TEST(Palette, FirstSixteenAndGreys) {
    const int base[16][3] = {{0, 0, 0},    {0, 0, 42},   {0, 42, 0},   {0, 42, 42},
                             {42, 0, 0},   {42, 0, 42},  {42, 21, 0},  {42, 42, 42},
                             {21, 21, 21}, {21, 21, 63}, {21, 63, 21}, {21, 63, 63},
                             {63, 21, 21}, {63, 21, 63}, {63, 63, 21}, {63, 63, 63}};
    for (int i = 0; i < 16; i++) EXPECT_EQ(coltbl[i], vga(base[i][0], base[i][1], base[i][2])) << i;
    const int grey[16] = {0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63};
    for (int i = 0; i < 16; i++) EXPECT_EQ(coltbl[16 + i], vga(grey[i], grey[i], grey[i])) << i;
    for (int i = 248; i < 256; i++) EXPECT_EQ(coltbl[i], 0u) << i;
}

TEST(Palette, RingsGoRoundFromBlue) {
    const int rings[9][5] = {{0, 16, 31, 47, 63}, {31, 39, 47, 55, 63}, {45, 49, 54, 58, 63},
                             {0, 7, 14, 21, 28},  {14, 17, 21, 24, 28}, {20, 22, 24, 26, 28},
                             {0, 4, 8, 12, 16},   {8, 10, 12, 14, 16},  {11, 12, 13, 15, 16}};
    for (int ring = 0; ring < 9; ring++) {
        const int *v = rings[ring];
        int lo = v[0], hi = v[4];
        // Six stretches of four: one component rises or falls through the
        // levels while the others hold.
        int r = lo, g = lo, b = hi;
        for (int k = 0; k < 24; k++) {
            int step = k % 4, part = k / 4;
            int up = v[step], down = v[4 - step];
            switch (part) {
            case 0:
                r = up;
                g = lo;
                b = hi;
                break;
            case 1:
                r = hi;
                g = lo;
                b = down;
                break;
            case 2:
                r = hi;
                g = up;
                b = lo;
                break;
            case 3:
                r = down;
                g = hi;
                b = lo;
                break;
            case 4:
                r = lo;
                g = hi;
                b = up;
                break;
            case 5:
                r = lo;
                g = down;
                b = hi;
                break;
            }
            EXPECT_EQ(coltbl[32 + ring * 24 + k], vga(r, g, b)) << "ring " << ring << " hue " << k;
        }
    }
}

TEST(Palette, NamedEntries) {
    EXPECT_EQ(coltbl[1], 0xA80000u);
    EXPECT_EQ(coltbl[4], 0x0000A8u);
    EXPECT_EQ(coltbl[6], 0x0054A8u);
    EXPECT_EQ(coltbl[14], 0x54FCFCu);
    EXPECT_EQ(coltbl[15], 0xFCFCFCu);
    EXPECT_EQ(coltbl[31], 0xFCFCFCu);
    EXPECT_EQ(coltbl[16], 0u);
    EXPECT_EQ(coltbl[32], 0xFC0000u);
    EXPECT_EQ(coltbl[40], 0x0000FCu);
    EXPECT_EQ(coltbl[103], 0xFCC4B4u);
    EXPECT_EQ(coltbl[104], 0x700000u);
    EXPECT_EQ(coltbl[247], 0x40302Cu);
    EXPECT_EQ(dg_color(256 + 4), coltbl[4]);
    EXPECT_EQ(dg_color(-1), coltbl[255]);
}

TEST(Startup, WindowAsConfigured) {
    openwindow();
    restore();
    ASSERT_TRUE(IsWindow(dg_window()));
    char cls[32] = {0};
    GetClassNameA(dg_window(), cls, sizeof cls);
    EXPECT_STREQ(cls, "WCNAME");
    EXPECT_EQ(windowtext(), title);
    EXPECT_STREQ(titlebar, title);
    EXPECT_EQ((DWORD)GetWindowLongA(dg_window(), GWL_STYLE), 0x10CF0000u | WS_CLIPSIBLINGS);
    EXPECT_TRUE(GetWindowLongA(dg_window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT c = client();
    EXPECT_EQ(c.right - c.left, 640);
    EXPECT_EQ(c.bottom - c.top, 400);
    EXPECT_EQ(screenwidth, 640);
    EXPECT_EQ(screenheight, 400);
    EXPECT_EQ(bai, 1);
    EXPECT_EQ(outer().left, 0);
    EXPECT_EQ(outer().top, 0);
    EXPECT_NE(gvram, nullptr);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

// The window is erased when it is shaped, not later: what a program draws
// before its first ML, or after a dg_setscreen that resizes the window, is
// still there after the ML. Each case in a new process, whose first pump
// meets the paint start-up left due.
TEST(Startup, DrawingBeforeTheFirstPumpStays) {
    EXPECT_EXIT(
        {
            openwindow();
            dg_pset(gvram, 1, 1, 12);
            ML();
            std::exit(GetPixel(gvram, 2, 2) == coltbl[12] ? 3 : 4);
        },
        testing::ExitedWithCode(3), "");
    EXPECT_EXIT(
        {
            openwindow();
            ML();
            dg_pset(gvram, 1, 1, 12);
            dg_setscreen(0, 0, 300, 150, 1, "x"); // a new size: erased at once
            const bool erased = GetPixel(gvram, 2, 2) == coltbl[0];
            dg_pset(gvram, 3, 3, 14);
            ML();
            std::exit(erased && GetPixel(gvram, 6, 6) == coltbl[14] ? 3 : 4);
        },
        testing::ExitedWithCode(3), "");
}

TEST(Screen, DoublingTwiceWithReadBackValues) {
    openwindow();
    restore();
    dg_setscreen(0, 0, screenwidth, screenheight, 1, titlebar);
    EXPECT_EQ(screenwidth, 1280);
    EXPECT_EQ(screenheight, 800);
    EXPECT_EQ(client().right, heldclient(1280, 800).right);
    EXPECT_EQ(client().bottom, heldclient(1280, 800).bottom);
    restore();
}

// A size no desktop holds gets the largest window the desktop holds, at
// once; the globals keep what the program asked for. (Windows' own
// AdjustWindowRect wraps past INT_MAX, and the window then takes its least
// size; platform/'s holds the rectangle at INT_MAX.)
TEST(Screen, HugeSizesGetTheLargestWindow) {
    openwindow();
    const struct {
        int w, h, b;
        long long cw, ch;
    } sizes[] = {
#ifndef _WIN32
        {INT_MAX, INT_MAX, 0, INT_MAX, INT_MAX},
#endif
        {2000000000, 2000000000, 0, 2000000000, 2000000000},
        {100000, 100000, 0, 100000, 100000},
        {1000000000, 300, 1, 2000000000, 600}};
    for (const auto &z : sizes) {
        dg_setscreen(0, 0, z.w, z.h, z.b, titlebar);
        EXPECT_EQ(screenwidth, (int)z.cw);
        EXPECT_EQ(screenheight, (int)z.ch);
        const RECT want = heldclient(z.cw, z.ch);
        EXPECT_GT(want.right, 300);
        EXPECT_EQ(client().right, want.right) << z.w;
        EXPECT_EQ(client().bottom, want.bottom) << z.h;
        EXPECT_EQ(GetPixel(gvram, want.right, 0), CLR_INVALID);
    }
    restore();
    EXPECT_EQ(client().right, 640);
}

TEST(Screen, SingleSizeForOtherSelectors) {
    openwindow();
    for (int b : {0, 3, -7}) {
        dg_setscreen(5, 6, 300, 200, b, "one");
        EXPECT_EQ(client().right, 300) << b;
        EXPECT_EQ(client().bottom, 200) << b;
        EXPECT_EQ(screenwidth, 300);
        EXPECT_EQ(screenheight, 200);
        EXPECT_EQ(bai, b);
        EXPECT_EQ(outer().left, 5);
        EXPECT_EQ(outer().top, 6);
        EXPECT_EQ(windowtext(), "one");
    }
    restore();
}

TEST(Screen, RefusedFullScreenModeChangesOnlyTheGlobals) {
    openwindow();
    restore();
    DWORD style = (DWORD)GetWindowLongA(dg_window(), GWL_STYLE);
    RECT before = outer();
    RECT cbefore = client();
    HCURSOR cursor = GetCursor();
    // No display here offers 317 x 211. (A page offers every size, its
    // full-screen mode scaling the canvas: there the display refuses all.)
#ifdef __EMSCRIPTEN__
    hook_refuse_modes(true);
#endif
    dg_setscreen(40, 50, 317, 211, 2, "full");
#ifdef __EMSCRIPTEN__
    hook_refuse_modes(false);
#endif
    EXPECT_EQ(screenx, 40);
    EXPECT_EQ(screeny, 50);
    EXPECT_EQ(screenwidth, 317);
    EXPECT_EQ(screenheight, 211);
    EXPECT_EQ(bai, 2);
    EXPECT_STREQ(titlebar, "full");
    EXPECT_EQ(windowtext(), "full");
    EXPECT_EQ((DWORD)GetWindowLongA(dg_window(), GWL_STYLE), style);
    RECT after = outer();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(client().right, cbefore.right);
    EXPECT_EQ(GetCursor(), cursor);
    restore();
}

TEST(Screen, OfferedFullScreenModeAndBack) {
    openwindow();
    restore();
    DEVMODEA dm;
    std::memset(&dm, 0, sizeof dm);
    dm.dmSize = sizeof dm;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &dm));
    int w = (int)dm.dmPelsWidth, h = (int)dm.dmPelsHeight;
    dg_setscreen(0, 0, w, h, 2, title);
    EXPECT_EQ((DWORD)GetWindowLongA(dg_window(), GWL_STYLE),
              (DWORD)(WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS));
    EXPECT_EQ(outer().left, 0);
    EXPECT_EQ(outer().top, 0);
    EXPECT_EQ(outer().right, w);
    EXPECT_EQ(outer().bottom, h);
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(screenwidth, w);
    restore();
    EXPECT_EQ((DWORD)GetWindowLongA(dg_window(), GWL_STYLE), 0x10CF0000u | WS_CLIPSIBLINGS);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(client().right, 640);
    EXPECT_EQ(client().bottom, 400);
}

TEST(Screen, TitleIsCutAtACharacterBoundary) {
    openwindow();
    std::string longer(150, 'x');
    dg_setscreen(0, 0, 320, 200, 1, longer.c_str());
    EXPECT_EQ(std::string(titlebar), std::string(100, 'x'));
    // 99 bytes and a double-byte character do not fit: the character goes whole.
    std::string mixed = std::string(99, 'y') + "あ";
    dg_setscreen(0, 0, 320, 200, 1, mixed.c_str());
    EXPECT_EQ(std::string(titlebar), std::string(99, 'y'));
    std::string fits = std::string(98, 'z') + "あ";
    dg_setscreen(0, 0, 320, 200, 1, fits.c_str());
    EXPECT_EQ(std::string(titlebar), fits);
    // Passing the title itself keeps it.
    dg_setscreen(0, 0, 320, 200, 1, titlebar);
    EXPECT_EQ(std::string(titlebar), fits);
    EXPECT_EQ(windowtext(), fits);
    restore();
}

TEST(Quit, MainReturningEndsWithExitCodeOne) { EXPECT_EQ(hook_run("quick"), 1); }

TEST(Quit, EscAndCloseAskAndNoGoesOn) {
    openwindow();
    restore();
    HWND w = dg_window();
    drain();
    UINT closers[][2] = {{WM_KEYDOWN, VK_ESCAPE}, {WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}};
    for (auto &m : closers) {
        hook_msgbox_answer(IDNO);
        PostMessageA(w, m[0], m[1], 0);
        ML();
        std::vector<Shown> boxes = hook_msgboxes();
        ASSERT_EQ(boxes.size(), 1u) << m[0];
        EXPECT_EQ(boxes[0].text, "本当に終了しますか？");
        EXPECT_EQ(boxes[0].caption, "終了確認です");
        EXPECT_EQ(boxes[0].type, 0x24u);
        EXPECT_TRUE(IsWindow(w));
        EXPECT_EQ(client().right, 640);
        EXPECT_EQ(windowtext(), title);
    }
}

TEST(Quit, CloseButtonAsksLikeEsc) {
    openwindow();
    restore();
    drain();
    hook_msgbox_answer(IDNO);
    hook_closebutton();
    ML();
    std::vector<Shown> boxes = hook_msgboxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "終了確認です");
    EXPECT_TRUE(IsWindow(dg_window()));
    EXPECT_EXIT(
        {
            openwindow();
            hook_msgbox_answer(IDYES);
            hook_closebutton();
            ML();
        },
        testing::ExitedWithCode(1), "");
}

TEST(Quit, OtherKeysDoNothing) {
    openwindow();
    drain();
    hook_msgbox_answer(IDYES);
    for (WPARAM k : {WPARAM('A'), WPARAM('7'), WPARAM(VK_RETURN), WPARAM(VK_SPACE), WPARAM(VK_F1)})
        PostMessageA(dg_window(), WM_KEYDOWN, k, 0);
    ML();
    EXPECT_TRUE(hook_msgboxes().empty());
    EXPECT_TRUE(IsWindow(dg_window()));
    hook_msgbox_answer(IDNO);
}

TEST(Quit, YesEndsWithExitCodeOne) {
    EXPECT_EXIT(
        {
            openwindow();
            hook_msgbox_answer(IDYES);
            PostMessageA(dg_window(), WM_KEYDOWN, VK_ESCAPE, 0);
            ML();
        },
        testing::ExitedWithCode(1), "");
    EXPECT_EXIT(
        {
            openwindow();
            hook_msgbox_answer(IDYES);
            PostMessageA(dg_window(), WM_CLOSE, 0, 0);
            ML();
        },
        testing::ExitedWithCode(1), "");
}

TEST(Pump, DrainsTheQueueAndReturns) {
    openwindow();
    ML();
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    ML(); // nothing waiting: returns at once
    PostMessageA(dg_window(), WM_KEYDOWN, 'Q', 0);
    ML();
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
}
