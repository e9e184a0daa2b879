// BMP files as 32-bit bitmaps. SDL decodes them; before it may, the header
// is checked against the file, so a small file claiming a huge picture, or
// pixel data running past the end, is refused without allocating for it.
#include "gdi/hot.h"
#include "kernel/path.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <vector>

using namespace dgp;

namespace {

// Larger files and pictures are refused outright: 256 MB of file,
// maxbitmappixels decoded (the most a screen-compatible bitmap may hold), and
// for run-length data, which can describe many pixels in few bytes, 2^24.
// Run-length data is also bounded by its own size: a run of two bytes draws
// at most 255 pixels, so a real picture needs about one byte per 128 of its
// pixels; past a megapixel, more than 1024 pixels per byte of data are
// refused (an early end or long skips leave the rest unset, so such a file
// is mostly nothing, and decoding it would cost as much as a full one).
constexpr long maxfile = 256L << 20;
constexpr uint64_t maxrlepixels = uint64_t(1) << 24;
constexpr uint64_t freerlepixels = uint64_t(1) << 20;
constexpr uint64_t rlepixelsperbyte = 1024;

uint32_t u16(const unsigned char *p) { return p[0] | (p[1] << 8); }
uint32_t u32(const unsigned char *p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24);
}

bool readfile(const char *name, std::vector<unsigned char> &out) {
    const std::string path = hostpath(name);
    if (path.empty()) return false;
    FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(f) : -1;
    ok = ok && size >= 0 && size <= maxfile && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        out.resize((size_t)size);
        ok = std::fread(out.data(), 1, out.size(), f) == out.size();
    }
    std::fclose(f);
    return ok;
}

// Whether the headers describe a picture of pixels that the file can hold.
bool plausible(const std::vector<unsigned char> &f) {
    const uint64_t size = f.size();
    if (size < 14 + 12 || f[0] != 'B' || f[1] != 'M') return false;
    const unsigned char *h = &f[14];
    const uint32_t hsize = u32(h);
    const uint64_t offbits = u32(&f[10]);
    if (hsize < 12 || 14 + (uint64_t)hsize > size) return false;
    int64_t w, hgt;
    uint32_t planes, bits, comp = 0;
    if (hsize == 12) { // OS/2 1.x
        w = u16(h + 4);
        hgt = u16(h + 6);
        planes = u16(h + 8);
        bits = u16(h + 10);
    } else {
        if (hsize < 16) return false;
        w = (int32_t)u32(h + 4);
        hgt = (int32_t)u32(h + 8);
        planes = u16(h + 12);
        bits = u16(h + 14);
        if (hsize >= 20) comp = u32(h + 16);
    }
    if (planes != 1) return false;
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    if (w <= 0 || hgt == 0) return false;
    const bool topdown = hgt < 0;
    const uint64_t rows = (uint64_t)(topdown ? -hgt : hgt);
    const uint64_t pixels = (uint64_t)w * rows;
    if (pixels > maxbitmappixels) return false;
    if (offbits < 14 + (uint64_t)hsize || offbits >= size) return false;
    switch (comp) {
    case 0: // BI_RGB
    case 3: // BI_BITFIELDS
    {
        if (comp == 3 && bits != 16 && bits != 32) return false;
        const uint64_t stride = ((uint64_t)w * bits + 31) / 32 * 4;
        return offbits + stride * rows <= size;
    }
    case 1: // BI_RLE8
    case 2: // BI_RLE4
        if (topdown || bits != (comp == 1 ? 8u : 4u)) return false;
        return pixels <= maxrlepixels &&
               (pixels <= freerlepixels || pixels <= (size - offbits) * rlepixelsperbyte);
    default: // JPEG, PNG and the rest are not bitmaps of pixels
        return false;
    }
}

// One channel of a bit-field pixel as 8 bits, as GDI widens it: its top 8
// bits, or a narrower field moved to the top and its bits repeated below
// once (5 bits v become v << 3 | v >> 2).
uint32_t channel(uint32_t v, uint32_t mask) {
    if (!mask) return 0;
    int shift = 0, width = 0;
    while (!(mask >> shift & 1)) shift++;
    while (shift + width < 32 && (mask >> (shift + width) & 1)) width++;
    const uint32_t c = (v & mask) >> shift;
    if (width >= 8) return c >> (width - 8);
    const uint32_t top = c << (8 - width);
    return top | top >> width;
}

// A decoded surface of 16-bit pixels as 0x00RRGGBB, each channel widened as
// GDI widens it (SDL's own conversion rounds differently).
void widen16(const SDL_Surface *s, uint32_t *out) {
    const SDL_PixelFormat *f = s->format;
    for (int y = 0; y < s->h; y++) {
        const Uint16 *row =
            (const Uint16 *)((const unsigned char *)s->pixels + (size_t)y * s->pitch);
        for (int x = 0; x < s->w; x++, out++)
            *out = channel(row[x], f->Rmask) << 16 | channel(row[x], f->Gmask) << 8 |
                   channel(row[x], f->Bmask);
    }
}

// 32-bit pixels with bit fields in an order SDL has no format for are
// rewritten in place as plain 0x00RRGGBB, with masks to match.
void plainmasks(std::vector<unsigned char> &f) {
    const unsigned char *h = &f[14];
    const uint32_t hsize = u32(h);
    if (hsize < 40 || u16(h + 14) != 32 || u32(h + 16) != 3 || f.size() < 14 + 40 + 12) return;
    unsigned char *m = &f[14 + 40];
    const uint32_t r = u32(m), g = u32(m + 4), b = u32(m + 8);
    if (r == 0xFF0000 && g == 0xFF00 && b == 0xFF) return;
    const uint64_t w = (uint32_t)u32(h + 4);
    const int32_t hh = (int32_t)u32(h + 8);
    const uint64_t n = w * (uint64_t)(hh < 0 ? -(int64_t)hh : hh);
    unsigned char *p = &f[u32(&f[10])];
    for (uint64_t i = 0; i < n; i++, p += 4) {
        const uint32_t v = u32(p);
        const uint32_t out = channel(v, r) << 16 | channel(v, g) << 8 | channel(v, b);
        for (int k = 0; k < 4; k++) p[k] = (unsigned char)(out >> (8 * k));
    }
    const uint32_t std[3] = {0xFF0000, 0xFF00, 0xFF};
    for (int c = 0; c < 3; c++)
        for (int k = 0; k < 4; k++) m[4 * c + k] = (unsigned char)(std[c] >> (8 * k));
    if (hsize >= 56)
        for (int k = 0; k < 4; k++) m[12 + k] = 0; // no alpha
}

} // namespace

extern "C" HANDLE WINAPI LoadImageA(HINSTANCE, LPCSTR name, UINT type, int, int, UINT flags) {
    if (type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE) || !name) return nullptr;
    std::vector<unsigned char> file;
    if (!readfile(name, file) || !plausible(file)) return nullptr;
    plainmasks(file);

    SDL_RWops *rw = SDL_RWFromConstMem(file.data(), (int)file.size());
    if (!rw) return nullptr;
    SDL_Surface *raw = SDL_LoadBMP_RW(rw, 1);
    if (!raw) return nullptr;
    HBITMAP hb = nullptr;
    if (raw->w > 0 && raw->h > 0) hb = newbitmap(raw->w, raw->h);
    Bitmap *b = getbitmap(hb);
    bool done = false;
    if (b && raw->format->BytesPerPixel == 2 && SDL_LockSurface(raw) == 0) {
        widen16(raw, b->px.data());
        SDL_UnlockSurface(raw);
        done = true;
    }
    // Everything else through SDL's conversion to 0x00RRGGBB.
    if (b && !done) {
        if (SDL_Surface *s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGB888, 0)) {
            if (SDL_LockSurface(s) == 0) {
                for (int y = 0; y < s->h; y++) {
                    const uint32_t *row =
                        (const uint32_t *)((const unsigned char *)s->pixels + (size_t)y * s->pitch);
                    uint32_t *out = &b->px[(size_t)y * s->w];
                    for (int x = 0; x < s->w; x++) out[x] = row[x] & 0xFFFFFF;
                }
                SDL_UnlockSurface(s);
                done = true;
            }
            SDL_FreeSurface(s);
        }
    }
    SDL_FreeSurface(raw);
    if (hb && !done) {
        DeleteObject(hb);
        hb = nullptr;
    }
    return hb;
}
