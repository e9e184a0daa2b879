// Brushes: CreateSolidBrush, SelectObject of a brush and DeleteObject of one
// are inline (hot.h); a brush holds nothing but its colour. This is where the
// first brush, or one that needs the handle table to grow, is made.
#include "gdi/hot.h"

namespace dgp {

HBRUSH firstbrush(COLORREF color) {
    initstock();
    return newbrush(color);
}

} // namespace dgp
