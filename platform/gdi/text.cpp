// TextOutA: characters of code page 932 in fixed cells, each glyph rendered
// by FreeType once per font and character.
#include "gdi/font.h"
#include "gdi/surface.h"
#include "kernel/cp932.h"

#include <algorithm>

namespace dgp {

namespace {

Glyph render(Font *f, const unsigned char *s, int n) {
    Glyph g;
    char32_t cp = codepoint(s, n);
    if (!f->face || cp < 0x20 || cp == 0xFFFD || cp == 0x7F) return g;
    FT_Face face = glyphface(f->face, s, n);
    if (!face || FT_Set_Pixel_Sizes(face, (FT_UInt)f->emx, (FT_UInt)f->emy)) return g;
    FT_UInt idx = FT_Get_Char_Index(face, cp);
    if (!idx) return g;
    if (FT_Load_Glyph(face, idx, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO)) return g;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO))
        return g;
    const FT_Bitmap &bm = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = f->base - slot->bitmap_top;
    g.w = (int)bm.width;
    g.h = (int)bm.rows;
    g.on.assign((size_t)g.w * g.h, 0);
    if (g.w <= 64) g.rows.assign((size_t)g.h, 0);
    for (int y = 0; y < g.h; y++) {
        const unsigned char *row = bm.buffer + (ptrdiff_t)y * bm.pitch;
        for (int x = 0; x < g.w; x++) {
            bool on = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] & (0x80 >> (x & 7))) != 0
                                                          : row[x] >= 128;
            g.on[(size_t)y * g.w + x] = on;
            if (on && g.w <= 64) g.rows[(size_t)y] |= uint64_t(1) << x;
        }
    }
    return g;
}

} // namespace

const Glyph &glyph(Font *f, const unsigned char *s, int n) {
    if (n == 1) {
        std::unique_ptr<Glyph> &g = f->single[s[0]];
        if (!g) g.reset(new Glyph(render(f, s, 1)));
        return *g;
    }
    unsigned key = (unsigned)s[0] << 8 | s[1];
    auto it = f->pairs.find(key);
    if (it == f->pairs.end()) it = f->pairs.emplace(key, render(f, s, 2)).first;
    return it->second;
}

} // namespace dgp

using namespace dgp;

extern "C" BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int len) {
    Dc *d = getdc(hdc);
    Surf s;
    if (!d || len < 0 || (!text && len)) return FALSE;
    if (!surface(d, s)) return TRUE;
    Font *f = get<Font>(d->font, Kind::font);
    if (!f) f = stockfont();
    const unsigned char *p = (const unsigned char *)text;
    needfaces(f, p, len);

    long long total = 0;
    for (int i = 0; i < len;) {
        int n = charlen(p + i, (size_t)(len - i));
        total += (long long)f->w * n;
        i += n;
    }
    // Opaque cells: the background colour behind the whole text first.
    if (d->bkmode == OPAQUE) fillrect(s, x, y, x + total, (long long)y + f->h, colorpixel(d->bk));

    uint32_t fg = colorpixel(d->text);
    long long cx = x;
    for (int i = 0; i < len && cx < s.w;) {
        int n = charlen(p + i, (size_t)(len - i));
        const Glyph &g = glyph(f, p + i, n);
        // The glyph's rows on the surface, found once.
        const long long top = (long long)y + g.top, left = cx + g.left;
        const int gy0 = (int)std::min<long long>(g.h, std::max<long long>(0, -top));
        const int gy1 = (int)std::max<long long>(0, std::min<long long>(g.h, (long long)s.h - top));
        if (!g.rows.empty() && left >= 0 && left + g.w <= s.w) {
            // Wholly within the surface's width: only the pixels that are on.
            for (int gy = gy0; gy < gy1; gy++) {
                uint32_t *out = s.px + (size_t)(top + gy) * s.w + left;
                for (uint64_t bits = g.rows[(size_t)gy]; bits; bits &= bits - 1)
                    out[__builtin_ctzll(bits)] = fg;
            }
        } else {
            for (int gy = gy0; gy < gy1; gy++) {
                const long long py = top + gy;
                for (int gx = 0; gx < g.w; gx++) {
                    long long px = left + gx;
                    if (px >= 0 && px < s.w && g.on[(size_t)gy * g.w + gx])
                        s.px[py * s.w + px] = fg;
                }
            }
        }
        cx += (long long)f->w * n;
        i += n;
    }
    drawn(s);
    turnafter(s.presenter);
    return TRUE;
}
