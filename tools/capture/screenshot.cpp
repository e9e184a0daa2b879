// F12: the window's client pixels, exactly, as a PNG file named after the
// program and the time. PNG through stb_image_write, the same on every build.
#include "capture/screenshot.h"

#include "capture/capture.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstdio>
#include <vector>

namespace dgtools {

std::vector<unsigned char> clientpixels(HWND hwnd, int &w, int &h) {
    RECT r{0, 0, 0, 0};
    GetClientRect(hwnd, &r);
    w = r.right - r.left;
    h = r.bottom - r.top;
    std::vector<unsigned char> rgb;
    if (w <= 0 || h <= 0) return rgb;
    HDC dc = GetDC(hwnd);
    rgb.resize((size_t)w * h * 3);
    unsigned char *p = rgb.data();
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++, p += 3) {
            const COLORREF c = GetPixel(dc, x, y);
            p[0] = GetRValue(c);
            p[1] = GetGValue(c);
            p[2] = GetBValue(c);
        }
    ReleaseDC(hwnd, dc);
    return rgb;
}

std::string freshname(const std::string &program, std::time_t t, const char *ext) {
    char stamp[32];
    const std::tm *tm = std::localtime(&t);
    if (!tm || !std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", tm))
        std::snprintf(stamp, sizeof stamp, "%lld", (long long)t);
    const std::string base = program + "-" + stamp;
    std::string name = base + "." + ext;
    for (int n = 2; fileexists(name); n++) name = base + "-" + std::to_string(n) + "." + ext;
    return name;
}

std::vector<unsigned char> encodepng(const std::vector<unsigned char> &rgb, int w, int h) {
    std::vector<unsigned char> png;
    const auto append = [](void *to, void *data, int n) {
        auto *out = static_cast<std::vector<unsigned char> *>(to);
        out->insert(out->end(), (unsigned char *)data, (unsigned char *)data + n);
    };
    if (rgb.size() != (size_t)w * h * 3 ||
        !stbi_write_png_to_func(append, &png, w, h, 3, rgb.data(), w * 3))
        png.clear();
    return png;
}

bool screenshotas(HWND hwnd, const std::string &name, const std::string &golden) {
    int w = 0, h = 0;
    const std::vector<unsigned char> rgb = clientpixels(hwnd, w, h);
    const std::vector<unsigned char> png = encodepng(rgb, w, h);
    if (png.empty()) return false;
    const bool saved = savefile(name, png);
    return (golden.empty() || savefile(golden, png)) && saved;
}

bool screenshot(HWND hwnd) {
    return screenshotas(hwnd, freshname(programname(), std::time(nullptr), "png"), "");
}

} // namespace dgtools
