// COLORREFs with a flag in their top byte, as GDI resolves them for the
// 32-bit surfaces dg draws on.
#include "gdi/surface.h"

namespace {

// The default palette's twenty colours as pixels.
constexpr uint32_t defaultpalette[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                         0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
                                         0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                         0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

} // namespace

// Bit 24 names an entry of the default palette (entry 0 past its end, so
// CLR_INVALID is black); 0x10FF on top is an index into a colour table, which
// a 32-bit surface does not have (black); anything else is the colour in the
// low 24 bits.
uint32_t dgp::flaggedpixel(COLORREF c) {
    if (c & 0x01000000) {
        const unsigned index = c & 0xFFFF;
        return defaultpalette[index < 20 ? index : 0];
    }
    if ((c >> 16) == 0x10FF) return 0;
    return topixel(c & 0xFFFFFF);
}
