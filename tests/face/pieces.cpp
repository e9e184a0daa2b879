// facepieces WHOLE.ttf DIR: every glyph of every piece of the pages' face in
// DIR (platform/web/mincho.py) is the whole face's, pixel for pixel, at the
// sizes text is drawn at, as platform/ renders it (hinted monochrome); and
// the metrics fonts are sized by are the whole face's. Prints what differs
// and exits 1 then.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <string>
#include <vector>

namespace {

// The ems fonts of cells 4 x 8 to 32 x 64 get (emx = 2 x cell width, emy
// from the cell height), and a few uneven ones.
const int sizes[][2] = {{8, 7},   {8, 8},   {12, 10}, {12, 12}, {16, 14}, {16, 16}, {20, 17},
                        {24, 21}, {24, 24}, {32, 28}, {32, 32}, {48, 42}, {64, 56}, {6, 14}};

struct Mono {
    int left = 0, top = 0, w = 0, h = 0, advance = 0;
    std::vector<unsigned char> bits;
    bool operator==(const Mono &o) const {
        return left == o.left && top == o.top && w == o.w && h == o.h && advance == o.advance &&
               bits == o.bits;
    }
};

bool render(FT_Face face, FT_ULong c, const int *em, Mono &m) {
    if (FT_Set_Pixel_Sizes(face, (FT_UInt)em[0], (FT_UInt)em[1])) return false;
    FT_UInt idx = FT_Get_Char_Index(face, c);
    if (!idx || FT_Load_Glyph(face, idx, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO)) return false;
    FT_GlyphSlot s = face->glyph;
    if (s->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(s, FT_RENDER_MODE_MONO))
        return false;
    m.left = s->bitmap_left;
    m.top = s->bitmap_top;
    m.w = (int)s->bitmap.width;
    m.h = (int)s->bitmap.rows;
    m.advance = (int)s->advance.x;
    m.bits.clear();
    const int bytes = (m.w + 7) / 8;
    for (int y = 0; y < m.h; y++) {
        const unsigned char *row = s->bitmap.buffer + (ptrdiff_t)y * s->bitmap.pitch;
        m.bits.insert(m.bits.end(), row, row + bytes);
    }
    return true;
}

bool samemetrics(FT_Face a, FT_Face b) {
    TT_OS2 *oa = (TT_OS2 *)FT_Get_Sfnt_Table(a, FT_SFNT_OS2);
    TT_OS2 *ob = (TT_OS2 *)FT_Get_Sfnt_Table(b, FT_SFNT_OS2);
    return oa && ob && a->units_per_EM == b->units_per_EM && a->ascender == b->ascender &&
           a->descender == b->descender && oa->usWinAscent == ob->usWinAscent &&
           oa->usWinDescent == ob->usWinDescent;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WHOLE.ttf DIR\n", argv[0]);
        return 2;
    }
    FT_Library lib;
    FT_Face whole;
    if (FT_Init_FreeType(&lib) || FT_New_Face(lib, argv[1], 0, &whole)) {
        std::fprintf(stderr, "%s: cannot open\n", argv[1]);
        return 2;
    }
    std::vector<std::string> names;
    if (DIR *d = opendir(argv[2])) {
        while (dirent *e = readdir(d)) {
            size_t n = std::strlen(e->d_name);
            if (n > 4 && !std::strcmp(e->d_name + n - 4, ".ttf")) names.push_back(e->d_name);
        }
        closedir(d);
    }
    bool single = false;
    long chars = 0, bad = 0;
    for (const std::string &name : names) {
        FT_Face piece;
        std::string path = std::string(argv[2]) + "/" + name;
        if (FT_New_Face(lib, path.c_str(), 0, &piece)) {
            std::printf("%s: cannot open\n", path.c_str());
            bad++;
            continue;
        }
        single |= name == "single.ttf";
        if (!samemetrics(whole, piece)) {
            std::printf("%s: metrics differ from the whole face's\n", name.c_str());
            bad++;
        }
        FT_UInt idx;
        for (FT_ULong c = FT_Get_First_Char(piece, &idx); idx;
             c = FT_Get_Next_Char(piece, c, &idx)) {
            chars++;
            for (const auto &em : sizes) {
                Mono a, b;
                bool oka = render(whole, c, em, a), okb = render(piece, c, em, b);
                if (oka != okb || !(a == b)) {
                    std::printf("%s: U+%04lX at %d x %d differs from the whole face's\n",
                                name.c_str(), c, em[0], em[1]);
                    bad++;
                }
            }
        }
        FT_Done_Face(piece);
    }
    if (!single) {
        std::printf("%s: no single.ttf\n", argv[2]);
        bad++;
    }
    std::printf("%ld characters in %zu pieces at %zu sizes: %ld differences\n", chars, names.size(),
                sizeof sizes / sizeof sizes[0], bad);
    return bad ? 1 : 0;
}
