// Fonts: a face found by name, sized in cells as Windows sizes a TrueType
// face, and its glyphs rendered once each in monochrome.
#pragma once

#include "gdi/handles.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace dgp {

// One character's pixels, placed relative to the top-left of its cell: one
// byte a pixel, and for glyphs up to 64 pixels wide each row as a mask too
// (bit x for pixel x), so that drawing visits only the pixels that are on.
struct Glyph {
    int left = 0, top = 0, w = 0, h = 0;
    std::vector<uint8_t> on;
    std::vector<uint64_t> rows;
};

// A half-width character advances the cell width w, a double-byte one 2w;
// every cell is h rows.
struct Font {
    int w = 8, h = 16; // cell: half-width advance and height
    FT_Face face = nullptr;
    int emx = 16, emy = 16, base = 12;
    std::unique_ptr<Glyph> single[256];
    std::unordered_map<unsigned, Glyph> pairs;
};

// The FreeType face the system offers for a family (UTF-8) with Japanese,
// loaded once and kept; none when there is none (face.cpp).
FT_Face findface(const std::string &family);
// The face that holds the glyph of one character of n (1 or 2) bytes, for a
// font of face: face itself, or in the browser the piece of it that holds
// the character, fetched first if need be (face_web.cpp); none for none.
FT_Face glyphface(FT_Face face, const unsigned char *s, int n);

// A font of a face (CP932 name; none or empty for the platform's own) and a
// cell height and width as CreateFontA takes them.
Font *newfont(const char *face, int height, int width);
// Has the faces ready that the first len bytes of s need in f: in the browser
// the pieces not yet fetched, fetched together in one wait; nothing elsewhere.
void needfaces(const Font *f, const unsigned char *s, int len);
// The font the stock font objects stand for.
Font *stockfont();

// The glyph of one character of n (1 or 2) bytes, rendered on first use.
const Glyph &glyph(Font *f, const unsigned char *s, int n);

} // namespace dgp
