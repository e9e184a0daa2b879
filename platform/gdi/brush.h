// Solid brushes: a colour in a handle slot, nothing allocated.
#pragma once

#include "gdi/surface.h"

namespace dgp {

// A new brush of colour c, or none when the table is full. Every fill makes
// and deletes one: with a slot on the free list this allocates nothing.
inline HBRUSH newbrush(COLORREF c) {
    Slot *s;
    void *h = newhandle(Kind::brush, nullptr, &s);
    if (!h) return nullptr;
    s->color = c & 0xFFFFFF;
    s->pixel = colorpixel(c);
    return (HBRUSH)h;
}

} // namespace dgp
