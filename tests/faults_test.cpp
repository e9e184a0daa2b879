// Faults from outside while a program runs: its window closed or Esc pressed
// while it is inside getch, wait or a long drawing loop, the window resized
// by the user, a display that refuses every full-screen mode, and the focus
// lost with a key held. None of them may crash or leave a key down, and the
// quit confirmation still comes at the next ML.
#include "fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

namespace {

// The two ways a user asks to quit: the close button and Esc.
void closer(int which) {
    if (which == 0)
        hook_closebutton();
    else
        hook_press(VK_ESCAPE);
}

// `outside` runs on another thread, a moment after `inside` has begun here.
void during(const std::function<void()> &inside, const std::function<void()> &outside) {
    std::thread t([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        outside();
    });
    inside();
    t.join();
}

// The next ML shows the quit confirmation once (answered No) and the
// program's window stays.
void expectconfirmation(const char *where) {
    ML();
    std::vector<Shown> boxes = hook_msgboxes();
    ASSERT_EQ(boxes.size(), 1u) << where;
    EXPECT_EQ(boxes[0].text, "本当に終了しますか？") << where;
    EXPECT_EQ(boxes[0].caption, "終了確認です") << where;
    EXPECT_TRUE(IsWindow(dg_window()));
    hook_msgbox_answer(IDNO);
    ML();
    EXPECT_TRUE(hook_msgboxes().empty()) << where << ": asked again";
}

// Waits (up to two seconds) for the window's client area to become cw x ch.
bool clientbecomes(int cw, int ch) {
    for (int i = 0; i < 200; i++) {
        ML();
        RECT r = client();
        if (r.right == cw && r.bottom == ch) return true;
        Sleep(10);
    }
    return false;
}

} // namespace

TEST(Faults, QuitAskedInsideGetchIsConfirmedAtTheNextPump) {
    openwindow();
    restore();
    drain();
    for (int which = 0; which < 2; which++) {
        int code = 0;
        during([&] { code = getch(); },
               [&] {
                   closer(which);
                   std::this_thread::sleep_for(std::chrono::milliseconds(100));
                   hook_key('A', true);
               });
        EXPECT_EQ(code, 'a');
        EXPECT_TRUE(hook_msgboxes().empty()) << "getch dispatched a message";
        expectconfirmation(which ? "Esc in getch" : "close in getch");
        hook_keys_up();
        EXPECT_EQ(kbhit(), 0);
    }
}

TEST(Faults, QuitAskedInsideWaitIsConfirmedAtTheNextPump) {
    openwindow();
    restore();
    drain();
    for (int which = 0; which < 2; which++) {
        during([] { wait(30000000); }, [&] { closer(which); }); // 300 ms
        EXPECT_TRUE(hook_msgboxes().empty()) << "wait dispatched a message";
        expectconfirmation(which ? "Esc in wait" : "close in wait");
    }
}

TEST(Faults, QuitAskedInsideALongDrawingLoopLeavesTheDrawingWhole) {
    openwindow();
    restore();
    drain();
    for (int which = 0; which < 2; which++) {
        std::atomic<bool> asked{false};
        long n = 0;
        during(
            [&] {
                dg_gcls(gvram, 0);
                // Until the quit was asked, and one full screen at least.
                for (n = 0; n < 64000 || !asked; n++) dg_pset(gvram, n % 320, n / 320 % 200, 9);
            },
            [&] {
                closer(which);
                asked = true;
            });
        EXPECT_GE(n, 64000);
        for (int y : {0, 199})
            for (int x : {0, 319}) EXPECT_EQ(dg_pget(gvram, x, y), coltbl[9]) << x << "," << y;
        expectconfirmation(which ? "Esc while drawing" : "close while drawing");
    }
}

TEST(Faults, WindowResizedByTheUser) {
    openwindow();
    restore();
    drain();
    hook_resize(800, 300);
    ASSERT_TRUE(clientbecomes(800, 300));
    // The program draws on with its own numbers: what lies in the new client
    // area shows, what lies beyond it is not there to read.
    dg_pset(gvram, 395, 145, 4);
    EXPECT_EQ(GetPixel(gvram, 790, 290), coltbl[4]);
    EXPECT_EQ(GetPixel(gvram, 791, 291), coltbl[4]);
    dg_pset(gvram, 10, 180, 4);
    EXPECT_EQ(GetPixel(gvram, 20, 360), CLR_INVALID);
    EXPECT_EQ(dg_pget(gvram, 10, 180), (COLORREF)CLR_INVALID);
    dg_gcls(gvram, 0);
    EXPECT_EQ(GetPixel(gvram, 799, 299), coltbl[0]);

    hook_resize(300, 150); // above the smallest frame Windows allows
    ASSERT_TRUE(clientbecomes(300, 150));
    dg_box(gvram, 0, 0, 319, 199, 1, 2);
    EXPECT_EQ(GetPixel(gvram, 299, 149), coltbl[2]);
    EXPECT_EQ(GetPixel(gvram, 300, 149), CLR_INVALID);

    // The program's own next dg_setscreen puts its size back.
    restore();
    EXPECT_TRUE(clientbecomes(640, 400));
    dg_gcls(gvram, 0);
    dg_pset(gvram, 319, 199, 14);
    EXPECT_EQ(GetPixel(gvram, 639, 399), coltbl[14]);
    hook_msgbox_answer(IDNO);
    hook_closebutton();
    expectconfirmation("after resizing");
}

TEST(Faults, DisplayRefusingEveryFullScreenMode) {
    openwindow();
    restore();
    drain();
    const bool all = hook_refuse_modes(true);
    const DWORD style = (DWORD)GetWindowLongA(dg_window(), GWL_STYLE);
    const RECT c0 = client();
    // Natively the display refuses everything, its own mode too; elsewhere
    // only sizes no display offers are asked for.
    std::vector<std::pair<int, int>> sizes = {{317, 211}, {1, 1}, {-1, -1}, {9999, 7}};
    if (all) {
        DEVMODEA dm{};
        dm.dmSize = sizeof dm;
        if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &dm))
            sizes.push_back({(int)dm.dmPelsWidth, (int)dm.dmPelsHeight});
        for (auto s : {std::make_pair(320, 200), std::make_pair(640, 400), std::make_pair(640, 480),
                       std::make_pair(800, 600)})
            sizes.push_back(s);
    }
    for (auto s : sizes) {
        dg_setscreen(0, 0, s.first, s.second, 2, "full");
        EXPECT_EQ(bai, 2);
        EXPECT_EQ(screenwidth, s.first);
        EXPECT_EQ((DWORD)GetWindowLongA(dg_window(), GWL_STYLE), style) << s.first;
        EXPECT_EQ(client().right, c0.right) << s.first;
        EXPECT_EQ(client().bottom, c0.bottom) << s.first;
        // Drawing goes on one to one in the framed window.
        dg_gcls(gvram, 0);
        dg_pset(gvram, 5, 5, 4);
        EXPECT_EQ(GetPixel(gvram, 5, 5), coltbl[4]);
        EXPECT_EQ(GetPixel(gvram, 6, 6), coltbl[0]);
    }
    hook_refuse_modes(false);
    // A size of zero asks for the display's own width and height, as on Windows.
    DEVMODEA zero{};
    zero.dmSize = sizeof zero;
    zero.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    EXPECT_EQ(ChangeDisplaySettingsA(&zero, CDS_TEST), DISP_CHANGE_SUCCESSFUL);
    restore();
    EXPECT_EQ(client().right, 640);
    dg_pset(gvram, 5, 5, 4);
    EXPECT_EQ(GetPixel(gvram, 11, 11), coltbl[4]);
    hook_closebutton();
    expectconfirmation("after refused modes");
}

// Needs real key presses and a second window: a real X window natively (this
// suite's X11 run), the system's input on Windows.
TEST(X11Faults, FocusLostWithAKeyHeldLeavesNothingDown) {
    openwindow();
    restore();
    drain();
    if (!hook_realkey(VK_UP, true)) GTEST_SKIP() << "no real keys here";
    bool seen = false;
    for (int i = 0; i < 200 && !seen; i++, Sleep(10)) seen = kbhit() != 0;
    ASSERT_TRUE(seen);
    EXPECT_EQ(getch(), 72);
    const bool away = hook_focus_away();
    std::printf("the focus went to another window: %s\n", away ? "yes" : "no");
    // Released while another window has the focus.
    hook_realkey(VK_UP, false);
    bool up = false;
    for (int i = 0; i < 200 && !up; i++, Sleep(10)) up = !(GetAsyncKeyState(VK_UP) & 0x8000);
    EXPECT_TRUE(up) << (away ? "" : "(the other window did not take the focus)");
    hook_focus_back();
    Sleep(50);
    EXPECT_FALSE(GetAsyncKeyState(VK_UP) & 0x8000);
    EXPECT_EQ(kbhit(), 0);
    // Held and released while away: not down afterwards either.
    if (hook_focus_away()) {
        hook_realkey('A', true);
        Sleep(50);
        hook_realkey('A', false);
        hook_focus_back();
        bool free = false;
        for (int i = 0; i < 200 && !free; i++, Sleep(10)) free = kbhit() == 0;
        EXPECT_TRUE(free);
    }
    hook_keys_up();
    hook_msgbox_answer(IDNO);
    hook_closebutton();
    expectconfirmation("after the focus came back");
}

// What the display server drops without saying so comes back by itself while
// the program polls.
TEST(X11Faults, ContentsDroppedByTheDisplayComeBack) {
    openwindow();
    restore();
    drain();
    dg_gcls(gvram, 0);
    dg_box(gvram, 10, 10, 20, 20, 1, 12);
    kbhit();
    if (!hook_drop_contents()) GTEST_SKIP() << "the display cannot be told to drop them here";
    EXPECT_NE(hook_shown(30, 30), coltbl[12]);
    bool back = false;
    for (int i = 0; i < 100 && !back; i++) {
        wait(1000000); // 10 ms
        kbhit();
        back = hook_shown(30, 30) == coltbl[12];
    }
    EXPECT_TRUE(back);
}
