// Faces in the browser: there is no font system to ask, so every face name
// resolves to the Mincho face the page carries in its file system (IPA Mincho
// cut to the characters of code page 932).
#include "gdi/font.h"

namespace dgp {

namespace {
// Where dg_add_program puts the face in every page.
constexpr char mincho[] = "/dg/mincho.ttf";
} // namespace

FT_Face findface(const std::string &) {
    static FT_Face face = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) || FT_New_Face(lib, mincho, 0, &face)) face = nullptr;
    }
    return face;
}

} // namespace dgp
