// CreateFontA: a face and its cell size, and how a font is selected and
// deleted.
#include "gdi/font.h"
#include "gdi/dc.h"
#include "kernel/cp932.h"

#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdlib>

namespace dgp {

namespace {

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

HGDIOBJ selectfont(Dc *d, Slot &, HGDIOBJ obj) {
    HGDIOBJ old = d->font;
    d->font = (HFONT)obj;
    return old;
}

bool destroyfont(Slot &s) {
    delete static_cast<Font *>(s.obj);
    return true;
}

[[maybe_unused]] const bool registered = registerkind(Kind::font, {selectfont, destroyfont});

} // namespace

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

Font *stockfont() {
    static Font *f = newfont("monospace", 16, 8);
    return f;
}

} // namespace dgp

using namespace dgp;

extern "C" HFONT WINAPI CreateFontA(int height, int width, int, int, int, DWORD, DWORD, DWORD,
                                    DWORD, DWORD, DWORD, DWORD, DWORD, LPCSTR face) {
    Font *f = newfont(face, height, width);
    HFONT h = (HFONT)newhandle(Kind::font, f);
    if (!h) delete f;
    return h;
}
