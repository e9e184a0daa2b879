// The handle table, and DeleteObject of all but brushes (hot.h), which hands
// each kind to its own file.
#include "gdi/hot.h"

namespace dgp {

std::vector<Slot> &slots = *new std::vector<Slot>;
Slot *table = nullptr;
uint32_t tablesize = 0;
uint32_t freelist = 0;

namespace {
// Constant-initialised, so registration from other files' static
// initialisers finds it ready whatever their order.
KindOps kinds[(int)Kind::count];
} // namespace

bool registerkind(Kind kind, KindOps ops) {
    kinds[(int)kind] = ops;
    return true;
}

const KindOps &opsof(Kind kind) { return kinds[(int)kind]; }

bool growtable() {
    if (slots.size() + 1 >= (size_t(1) << idxbits)) return false;
    if (slots.capacity() == slots.size()) slots.reserve(slots.size() * 2 + 64);
    slots.emplace_back();
    table = slots.data();
    tablesize = (uint32_t)slots.size();
    table[tablesize - 1].nextfree = freelist;
    freelist = tablesize;
    return true;
}

BOOL deleteother(Slot &s, HGDIOBJ obj) {
    const bool gdi = s.kind == Kind::font || s.kind == Kind::bitmap;
    if (s.stock || !gdi) return s.stock && gdi; // stock objects stay; others are not GDI's
    const KindOps &ops = opsof(s.kind);
    if (ops.destroy && !ops.destroy(s)) return FALSE;
    freehandle(obj);
    return TRUE;
}

} // namespace dgp
