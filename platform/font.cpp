// Fonts and text: faces found with fontconfig (for Japanese), glyphs rendered
// by FreeType in monochrome, once per font and character, and drawn in
// fixed cells: a half-width character advances the cell width w, a
// double-byte one 2w, and every cell is the height asked for.
#include "cp932.h"
#include "objects.h"

#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

namespace dgp {

// One character's pixels, placed relative to the top-left of its cell.
struct Glyph {
    int left = 0, top = 0, w = 0, h = 0;
    std::vector<uint8_t> on;
};

struct Font {
    int w = 8, h = 16; // cell: half-width advance and height
    FT_Face face = nullptr;
    int emx = 16, emy = 16, base = 12;
    std::unique_ptr<Glyph> single[256];
    std::unordered_map<unsigned, Glyph> pairs;
};

void fontfree(Font *f) { delete f; }

namespace {

FT_Library library() {
    static FT_Library lib = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (FT_Init_FreeType(&lib)) lib = nullptr;
    }
    return lib;
}

// The file fontconfig chooses for a family, with Japanese asked for: plain
// matching of a Japanese face name can land on a Latin-only face.
FT_Face findface(const std::string &family) {
    static std::map<std::string, FT_Face> faces;
    auto it = faces.find(family);
    if (it != faces.end()) return it->second;
    FT_Face face = nullptr;
    if (FT_Library lib = library()) {
        FcPattern *pat = FcPatternCreate();
        FcPatternAddString(pat, FC_FAMILY, (const FcChar8 *)family.c_str());
        FcLangSet *ls = FcLangSetCreate();
        FcLangSetAdd(ls, (const FcChar8 *)"ja");
        FcPatternAddLangSet(pat, FC_LANG, ls);
        FcLangSetDestroy(ls);
        FcConfigSubstitute(nullptr, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult res;
        FcPattern *m = FcFontMatch(nullptr, pat, &res);
        FcChar8 *file = nullptr;
        int index = 0;
        if (m && FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(m, FC_INDEX, 0, &index);
            if (FT_New_Face(lib, (const char *)file, index, &face)) face = nullptr;
        }
        if (m) FcPatternDestroy(m);
        FcPatternDestroy(pat);
    }
    faces[family] = face;
    return face;
}

// Sizes a font as Windows sizes a TrueType face: a positive height is the
// cell (the face's Windows ascent plus descent), a negative one the em; the
// horizontal em is twice the cell width, so half-width glyphs fill one cell.
void sizefont(Font *f, int height, int width) {
    height = (int)std::min<long long>(std::llabs((long long)height), 1024);
    width = (int)std::min<long long>(std::llabs((long long)width), 1024);
    int upem = 0, asc = 0, desc = 0;
    if (f->face) {
        upem = f->face->units_per_EM;
        TT_OS2 *os2 = (TT_OS2 *)FT_Get_Sfnt_Table(f->face, FT_SFNT_OS2);
        if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
            asc = os2->usWinAscent;
            desc = os2->usWinDescent;
        } else {
            asc = f->face->ascender;
            desc = -f->face->descender;
        }
    }
    if (upem <= 0 || asc + desc <= 0) upem = asc = 1000, desc = 0;
    if (height == 0) height = 16;
    f->h = height;
    f->emy = std::max(1, (int)((long long)height * upem / (asc + desc)));
    f->base = (int)(((long long)asc * f->emy + upem / 2) / upem);
    f->w = width ? width : std::max(1, f->emy / 2);
    f->emx = 2 * f->w;
}

Font *newfont(const char *face, int height, int width) {
    Font *f = new Font;
    std::string name = face && *face ? utf8(face) : std::string("monospace");
    f->face = findface(name);
    if (height < 0 && f->face) {
        // An em height: the cell is the em grown by the face's leading.
        TT_OS2 *os2 = (TT_OS2 *)FT_Get_Sfnt_Table(f->face, FT_SFNT_OS2);
        int upem = f->face->units_per_EM;
        int ad = os2 ? os2->usWinAscent + os2->usWinDescent : 0;
        if (upem > 0 && ad > 0)
            height = (int)std::min<long long>(-(long long)height * ad / upem, 4096);
    }
    sizefont(f, height, width);
    return f;
}

// The font stock objects stand for.
Font *stockfont() {
    static Font *f = newfont("monospace", 16, 8);
    return f;
}

Glyph render(Font *f, const unsigned char *s, int n) {
    Glyph g;
    char32_t cp = codepoint(s, n);
    if (!f->face || cp < 0x20 || cp == 0xFFFD || cp == 0x7F) return g;
    if (FT_Set_Pixel_Sizes(f->face, (FT_UInt)f->emx, (FT_UInt)f->emy)) return g;
    FT_UInt idx = FT_Get_Char_Index(f->face, cp);
    if (!idx) return g;
    if (FT_Load_Glyph(f->face, idx, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO)) return g;
    FT_GlyphSlot slot = f->face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO))
        return g;
    const FT_Bitmap &bm = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = f->base - slot->bitmap_top;
    g.w = (int)bm.width;
    g.h = (int)bm.rows;
    g.on.assign((size_t)g.w * g.h, 0);
    for (int y = 0; y < g.h; y++) {
        const unsigned char *row = bm.buffer + (ptrdiff_t)y * bm.pitch;
        for (int x = 0; x < g.w; x++) {
            bool on = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] & (0x80 >> (x & 7))) != 0
                                                          : row[x] >= 128;
            g.on[(size_t)y * g.w + x] = on;
        }
    }
    return g;
}

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

void fill(const Surf &s, long long x0, long long y0, long long x1, long long y1, uint32_t px) {
    x0 = std::max(x0, 0LL), y0 = std::max(y0, 0LL);
    x1 = std::min(x1, (long long)s.w), y1 = std::min(y1, (long long)s.h);
    if (x1 <= x0 || y1 <= y0) return; // nothing of the cells is on the surface
    for (long long y = y0; y < y1; y++) std::fill(s.px + y * s.w + x0, s.px + y * s.w + x1, px);
}

} // namespace

} // namespace dgp

using namespace dgp;

extern "C" {

HFONT WINAPI CreateFontA(int height, int width, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD,
                         DWORD, DWORD, DWORD, LPCSTR face) {
    Font *f = newfont(face, height, width);
    HFONT h = (HFONT)newhandle(Kind::font, f);
    if (!h) delete f;
    return h;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int len) {
    Dc *d = getdc(hdc);
    Surf s;
    if (!d || len < 0 || (!text && len)) return FALSE;
    if (!surface(hdc, s)) return TRUE;
    Font *f = get<Font>(d->font, Kind::font);
    if (!f) f = stockfont();
    const unsigned char *p = (const unsigned char *)text;

    long long total = 0;
    for (int i = 0; i < len;) {
        int n = charlen(p + i, (size_t)(len - i));
        total += (long long)f->w * n;
        i += n;
    }
    if (d->bkmode == OPAQUE) fill(s, x, y, x + total, (long long)y + f->h, topixel(d->bk));

    uint32_t fg = topixel(d->text);
    long long cx = x;
    for (int i = 0; i < len && cx < s.w;) {
        int n = charlen(p + i, (size_t)(len - i));
        const Glyph &g = glyph(f, p + i, n);
        for (int gy = 0; gy < g.h; gy++) {
            long long py = (long long)y + g.top + gy;
            if (py < 0 || py >= s.h) continue;
            for (int gx = 0; gx < g.w; gx++) {
                long long px = cx + g.left + gx;
                if (px >= 0 && px < s.w && g.on[(size_t)gy * g.w + gx]) s.px[py * s.w + px] = fg;
            }
        }
        cx += (long long)f->w * n;
        i += n;
    }
    drawn(s);
    return TRUE;
}

} // extern "C"
