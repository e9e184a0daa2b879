// The handle table, and DeleteObject, which hands each kind to its own file.
#include "gdi/handles.h"

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

} // namespace dgp

using namespace dgp;

extern "C" BOOL WINAPI DeleteObject(HGDIOBJ obj) {
    Slot *s = lookup(obj);
    if (!s) return FALSE;
    // Brushes first: every fill deletes one. A brush holds nothing to free.
    if (s->kind == Kind::brush) {
        if (!s->stock) freehandle(obj);
        return TRUE;
    }
    const bool gdi = s->kind == Kind::font || s->kind == Kind::bitmap;
    if (s->stock || !gdi) return s->stock && gdi; // stock objects stay; others are not GDI's
    const KindOps &ops = opsof(s->kind);
    if (ops.destroy && !ops.destroy(*s)) return FALSE;
    freehandle(obj);
    return TRUE;
}
