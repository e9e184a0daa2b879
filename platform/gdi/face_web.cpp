// Faces in the browser: there is no font system to ask, so every face name
// resolves to the Mincho face of the page's site (IPA Mincho cut to the
// characters of code page 932, platform/web/mincho.py), which comes in
// pieces, each a font of its own: single.ttf holds the single-byte
// characters, and its metrics size every font; LLTT.ttf the double-byte
// characters of codes LLTT to LLTT + 15. The page fetches single.ttf before
// the program starts and every other piece the first time text needs a
// character of it, into /dg/mincho/ (web.js, dg_fetch_faces: a wait, so the
// page keeps its turns meanwhile). A piece that cannot be had draws nothing,
// as a character the face has no glyph for.
#include "gdi/font.h"
#include "kernel/cp932.h"

#include <cstdio>
#include <string>

// Fetches the pieces named (space-separated, without .ttf) into /dg/mincho/,
// all at once, and returns when every fetch has ended (web.js).
extern "C" void dg_fetch_faces(const char *names);

namespace dgp {

namespace {

constexpr char folder[] = "/dg/mincho/";
constexpr int firsttrail = 0x40;
constexpr int blockcodes = 16; // double-byte codes a piece
constexpr int blocksperlead = (0xFD - firsttrail + blockcodes - 1) / blockcodes;
constexpr int leads = 0x9F - 0x81 + 1 + 0xFC - 0xE0 + 1;
constexpr int pieces = 1 + leads * blocksperlead; // single.ttf is piece 0

enum class State : unsigned char { unknown, loaded, missing };
State states[pieces];
FT_Face faces[pieces];

// The piece of one character of n bytes, or -1 for bytes no piece holds.
int pieceof(const unsigned char *s, int n) {
    if (n == 1) return 0;
    if (n != 2 || !cp932_lead(s[0]) || !cp932_trail(s[1])) return -1;
    int lead = s[0] >= 0xE0 ? s[0] - 0xE0 + (0x9F - 0x81 + 1) : s[0] - 0x81;
    return 1 + lead * blocksperlead + (s[1] - firsttrail) / blockcodes;
}

std::string name(int piece) {
    if (piece == 0) return "single";
    int lead = (piece - 1) / blocksperlead, block = (piece - 1) % blocksperlead;
    lead += lead < 0x9F - 0x81 + 1 ? 0x81 : 0xE0 - (0x9F - 0x81 + 1);
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X", lead, firsttrail + block * blockcodes);
    return buf;
}

FT_Library library() {
    static FT_Library lib = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (FT_Init_FreeType(&lib)) lib = nullptr;
    }
    return lib;
}

// Opens a fetched piece once; a piece not in the file system is missing.
void open(int piece) {
    std::string path = folder + name(piece) + ".ttf";
    FT_Library lib = library();
    states[piece] =
        lib && !FT_New_Face(lib, path.c_str(), 0, &faces[piece]) ? State::loaded : State::missing;
    if (states[piece] == State::missing) faces[piece] = nullptr;
}

// Whether a character of n bytes at s can have a glyph: not a control
// character, and one code page 932 has, outside the private-use area (IPA
// Mincho has none there).
bool drawable(const unsigned char *s, int n) {
    char32_t cp = codepoint(s, n);
    return cp >= 0x20 && cp != 0x7F && cp != 0xFFFD && !(cp >= 0xE000 && cp <= 0xF8FF);
}

} // namespace

FT_Face findface(const std::string &) {
    if (states[0] == State::unknown) open(0);
    return faces[0];
}

FT_Face glyphface(FT_Face face, const unsigned char *s, int n) {
    int piece = pieceof(s, n);
    if (!face || piece < 0 || !drawable(s, n)) return nullptr;
    if (states[piece] == State::unknown) {
        dg_fetch_faces(name(piece).c_str());
        open(piece);
    }
    return faces[piece];
}

void needfaces(const Font *f, const unsigned char *s, int len) {
    if (!f->face) return;
    std::string names;
    bool asked[pieces] = {};
    for (int i = 0; i < len;) {
        int n = charlen(s + i, (size_t)(len - i));
        int piece = pieceof(s + i, n);
        if (piece >= 0 && states[piece] == State::unknown && !asked[piece] && drawable(s + i, n)) {
            asked[piece] = true;
            if (!names.empty()) names += ' ';
            names += name(piece);
        }
        i += n;
    }
    if (names.empty()) return;
    dg_fetch_faces(names.c_str());
    for (int piece = 0; piece < pieces; piece++)
        if (asked[piece]) open(piece);
}

} // namespace dgp
