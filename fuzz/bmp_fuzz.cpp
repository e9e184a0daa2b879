// Arbitrary bytes as a bitmap file: loaded the way dg_loadbmp loads a file,
// then drawn onto a back buffer with every bitmap operation at bai 0 and 1,
// plainly, from a source offset, with a transparent colour and stretched.
// A plain copy at bai 0 must reproduce the loaded pixels exactly.
#include "host.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

int Main(void) { return 0; }

namespace {

// The input is written to a file in memory (tmpfs) where there is one: a
// file on disk can stall for seconds behind other processes' writes, which
// the per-input time limit would take for a slow input.
char path[64] = "/dev/shm/dg-fuzz-XXXXXX";
int fd = -1;

bool writefile(const uint8_t *data, size_t size) {
    if (ftruncate(fd, 0) != 0 || lseek(fd, 0, SEEK_SET) != 0) return false;
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n <= 0) return false;
        data += n;
        size -= (size_t)n;
    }
    return true;
}

// The bitmap's size as the surface holds it.
bool bitmapsize(HDC m, int &w, int &h) {
    BITMAP bm;
    std::memset(&bm, 0, sizeof bm);
    if (!GetObjectA(GetCurrentObject(m, OBJ_BITMAP), sizeof bm, &bm)) return false;
    w = bm.bmWidth;
    h = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    return true;
}

void fail(const char *what, int x, int y, COLORREF got, COLORREF want) {
    std::fprintf(stderr, "%s at (%d, %d): 0x%06X, loaded 0x%06X\n", what, x, y, (unsigned)got,
                 (unsigned)want);
    std::abort();
}

void drawall(HDC bb, HDC m, int w, int h) {
    const int dw = w < 1280 ? w : 1280, dh = h < 1024 ? h : 1024;
    const COLORREF key = GetPixel(m, 0, 0);
    for (int b = 0; b <= 1; b++) {
        bai = b;
        dg_drawbmp(bb, 0, 0, dw, dh, m);
        dg_drawbmp(bb, -7, 5, dw, dh, m);
        dg_drawbmp2(bb, 3, -2, dw, dh, m, w / 3, h / 2);
        dg_drawbmp2(bb, 0, 0, dw, dh, m, -w / 2, h - 1);
        dg_drawbmp3(bb, 1, 1, dw, dh, m, 0, 0, key);
        dg_drawbmp3(bb, 20, 10, dw, dh, m, w / 2, -h / 4, 0xFFFFFF);
        dg_drawbmp4(bb, 0, 0, dw, dh, m, 0, 0, 2 * dw, 2 * dh, key);
        dg_drawbmp4(bb, 5, 5, 40, 30, m, w - 1, h - 1, -w, -h, key);
        dg_drawbmp4(bb, 0, 0, 640, 512, m, 0, 0, 1, 1, 0);
        dg_drawbmp4(bb, 100, 100, dw / 3 + 1, dh / 5 + 1, m, w / 4, h / 4, dw, dh, 0);
    }
    bai = 0;
    dg_drawbmp(bb, 0, 0, dw, dh, m);
    const int pts[5][2] = {{0, 0}, {dw - 1, 0}, {0, dh - 1}, {dw - 1, dh - 1}, {dw / 2, dh / 2}};
    for (auto &p : pts) {
        const COLORREF want = GetPixel(m, p[0], p[1]), got = GetPixel(bb, p[0], p[1]);
        if (got != want) fail("plain copy", p[0], p[1], got, want);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    fd = mkstemp(path);
    if (fd < 0) {
        std::strcpy(path, "/tmp/dg-fuzz-XXXXXX");
        fd = mkstemp(path);
    }
    if (fd < 0) {
        std::perror("mkstemp");
        std::abort();
    }
    std::atexit([] { unlink(path); });
    dg_open(GetModuleHandleA(nullptr));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (!writefile(data, size)) std::abort();
    HBITMAP bitmap = (HBITMAP)LoadImageA(GetModuleHandleA(nullptr), path, IMAGE_BITMAP, 0, 0,
                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!bitmap) return 0;
    HDC m = CreateCompatibleDC(nullptr);
    SelectObject(m, bitmap);
    DeleteObject(bitmap); // refused while selected: the surface keeps it
    int w = 0, h = 0;
    if (bitmapsize(m, w, h) && w > 0 && h > 0) {
        HDC bb = dg_createBB();
        drawall(bb, m, w, h);
        dg_deleteBB(bb);
    }
    dg_deletebmp(m);
    return 0;
}
