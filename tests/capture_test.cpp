// The tools a program's keys reach: F12 saves the window's client pixels as
// NAME-YYYYMMDD-HHMMSS.png in the current folder, never over an earlier one.
#include "fixture.h"

#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The screenshots in the current folder, oldest name first.
std::vector<std::string> screenshots() {
    std::vector<std::string> out;
    const std::regex name("dg_tests-[0-9]{8}-[0-9]{6}(-[0-9]+)?\\.png");
    for (const auto &e : fs::directory_iterator(fs::current_path()))
        if (std::regex_match(e.path().filename().string(), name))
            out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end(), [](const std::string &a, const std::string &b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return out;
}

} // namespace

TEST(Capture, F12SavesTheClientAreaAsPng) {
#ifdef __EMSCRIPTEN__
    GTEST_SKIP() << "a page offers the file as a download (the page checks)";
#endif
    openwindow();
    restore();
    drain();
    for (const std::string &f : screenshots()) fs::remove(f);
    dg_gcls(gvram, 0);
    dg_pset(gvram, 3, 4, 12);
    dg_box(gvram, 300, 180, 20, 20, 1, 14);
    for (int i = 0; i < 2; i++) {
        hook_press(VK_F12);
        for (int k = 0; k < 200 && screenshots().size() < (size_t)i + 1; k++) {
            Sleep(10);
            ML();
        }
    }
    const std::vector<std::string> shots = screenshots();
    ASSERT_EQ(shots.size(), 2u);
    EXPECT_NE(shots[0], shots[1]);
    int w = 0, h = 0, n = 0;
    unsigned char *px = stbi_load(shots[0].c_str(), &w, &h, &n, 3);
    ASSERT_NE(px, nullptr);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 400);
    const auto at = [&](int x, int y) {
        const unsigned char *p = px + ((size_t)y * w + x) * 3;
        return RGB(p[0], p[1], p[2]);
    };
    EXPECT_EQ(at(6, 8), coltbl[12]);
    EXPECT_EQ(at(7, 9), coltbl[12]);
    EXPECT_EQ(at(8, 8), 0u);
    EXPECT_EQ(at(639, 399), coltbl[14]);
    EXPECT_EQ(at(599, 359), 0u);
    stbi_image_free(px);
    for (const std::string &f : screenshots()) fs::remove(f);
}
