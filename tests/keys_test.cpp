// Keyboard polling and pauses.
#include "fixture.h"

#include <gtest/gtest.h>

namespace {

struct Keys : testing::Test {
    void SetUp() override {
        openwindow();
        hook_keys_up();
    }
    void TearDown() override { hook_keys_up(); }
};

TEST_F(Keys, NothingHeldMeansNoHit) { EXPECT_EQ(kbhit(), 0); }

TEST_F(Keys, UnpolledKeysAloneMeanNoHit) {
    for (int vk : {VK_ESCAPE, VK_SHIFT, VK_F1}) {
        hook_key(vk, true);
        EXPECT_EQ(kbhit(), 0) << vk;
        hook_keys_up();
    }
}

TEST_F(Keys, PriorityTable) {
    struct Case {
        std::vector<int> keys;
        int code;
    } cases[] = {
        {{'A', VK_RETURN}, 13},
        {{'A', '7'}, 0x37},
        {{'B', 'Z'}, 0x62},
        {{'Q'}, 'q'},
        {{'0'}, '0'},
        {{VK_SPACE}, 32},
        {{VK_DOWN}, 80},
        {{VK_LEFT}, 75},
        {{VK_RIGHT}, 77},
        {{'5', '3'}, '3'},
        {{VK_SPACE, '9'}, 32},
        {{VK_UP, VK_SPACE}, 72},
        {{VK_RIGHT, VK_LEFT}, 77},
        {{VK_RETURN, VK_RIGHT}, 13},
    };
    for (const Case &c : cases) {
        for (int vk : c.keys) hook_key(vk, true);
        EXPECT_EQ(kbhit(), 1);
        EXPECT_EQ(getch(), c.code) << c.keys[0];
        hook_keys_up();
    }
}

TEST_F(Keys, HeldUpArrowRepeatsUntilReleased) {
    hook_key(VK_UP, true);
    for (int i = 0; i < 5; i++) EXPECT_EQ(getch(), 72);
    hook_key(VK_UP, false);
    EXPECT_EQ(kbhit(), 0);
}

TEST(Wait, TruncatesToMilliseconds) {
    DWORD t0 = GetTickCount();
    for (int i = 0; i < 5; i++) wait(99999); // 0 ms each
    DWORD t1 = GetTickCount();
    wait(50 * 100000 + 99999); // 50 ms
    DWORD t2 = GetTickCount();
    EXPECT_LT(t1 - t0, 40u);
    EXPECT_GE(t2 - t1, 30u); // the tick count may run in steps of about 16 ms
    EXPECT_LT(t2 - t1, 150u);
}

TEST(Wait, NegativeCountsReturnAtOnce) {
    DWORD t0 = GetTickCount();
    wait(-1);
    wait(-100000);
    wait(-2147483647 - 1);
    EXPECT_LT(GetTickCount() - t0, 40u);
}

} // namespace
