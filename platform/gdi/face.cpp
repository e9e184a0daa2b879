// Faces by name through fontconfig, asked for Japanese: plain matching of a
// Japanese face name can land on a Latin-only face.
#include "gdi/font.h"

#include <fontconfig/fontconfig.h>

#include <map>

namespace dgp {

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
} // namespace

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

FT_Face glyphface(FT_Face face, const unsigned char *, int) { return face; }

void needfaces(const Font *, const unsigned char *, int) {}

} // namespace dgp
