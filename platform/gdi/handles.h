// The handle table behind every GDI and user handle: brushes, fonts, bitmaps,
// drawing surfaces (DCs), the window and cursors. A handle is an index plus a
// generation, so a stale, deleted or foreign handle is refused, never
// followed. The table knows no object kind: each kind's file registers how
// its objects are selected into a DC and deleted (registerkind).
#pragma once

#include "win32api.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dgp {

enum class Kind : uint8_t { none, dc, brush, font, bitmap, window, cursor, count };

struct Dc;

// A slot of the handle table. A live slot's key is its handle shifted left
// by 4 with the kind in the low bits, so one comparison checks index,
// generation and kind at once; a free slot's key is 0.
struct Slot {
    uint64_t key = 0;
    uint32_t gen = 1;
    Kind kind = Kind::none;
    bool stock = false;
    uint32_t nextfree = 0;
    uint32_t pixel = 0; // brush colour as a pixel
    union {
        COLORREF color; // brush
        void *obj;      // Dc, Font, Bitmap, Window, SDL cursor
    };
    Slot() : obj(nullptr) {}
};

// What SelectObject and DeleteObject do with objects of one kind.
struct KindOps {
    // Selects the object of slot s (handle obj) into dc and gives back the
    // one it displaced, or none when it cannot be selected there.
    HGDIOBJ (*select)(Dc *dc, Slot &s, HGDIOBJ obj) = nullptr;
    // Frees the object of slot s; false when it must stay (the handle then
    // stays live too).
    bool (*destroy)(Slot &s) = nullptr;
};
// Registers a kind's operations; used as a static initialiser in the kind's
// own file, so a kind whose objects can be made has them.
bool registerkind(Kind kind, KindOps ops);
const KindOps &opsof(Kind kind);

// The handle table. `slots` owns the slots; `table` and `tablesize` are its
// data and size, kept beside it for the lookups on every drawing call.
extern std::vector<Slot> &slots; // never destroyed: handles outlive static destruction
extern Slot *table;
extern uint32_t tablesize;
constexpr int idxbits = 20;

extern uint32_t freelist; // 1-based index of the first free slot, 0 for none
inline uint32_t slotindex(const void *h) {
    return (uint32_t)((uintptr_t)h & ((uintptr_t(1) << idxbits) - 1));
}
// Puts a new slot on the free list; false when the index bits are used up.
bool growtable();
// A live handle of the given kind in a slot from the free list (no
// allocation while the list has one), or none; *slot is its slot.
inline void *newhandle(Kind kind, void *obj, Slot **slot = nullptr) {
    if (__builtin_expect(!freelist, 0) && !growtable()) return nullptr;
    const uint32_t i = freelist;
    Slot &s = table[i - 1];
    freelist = s.nextfree;
    const uint64_t v = ((uint64_t)s.gen << idxbits) | i;
    s.key = (v << 4) | (uint64_t)kind;
    s.kind = kind;
    s.stock = false;
    s.obj = obj;
    if (slot) *slot = &s;
    return (void *)(uintptr_t)v;
}
// Gives the slot of a live handle back; the handle is stale from now on.
inline void freehandle(void *h) {
    const uint32_t i = slotindex(h);
    Slot &s = table[i - 1];
    s.key = 0;
    s.kind = Kind::none;
    s.obj = nullptr;
    // Generations stay within what the handle's upper bits can carry.
    s.gen = (s.gen + 1) & (uint32_t)((~uintptr_t(0)) >> idxbits);
    if (s.gen == 0) s.gen = 1;
    s.nextfree = freelist;
    freelist = i;
}
// The live slot behind h, whatever its kind, or none.
inline Slot *lookup(const void *h) {
    const uint32_t i = slotindex(h) - 1; // handle 0 wraps past every slot
    if (i >= tablesize) return nullptr;
    Slot &s = table[i];
    return (s.key >> 4) == (uint64_t)(uintptr_t)h ? &s : nullptr;
}
inline Slot *lookup(const void *h, Kind kind) {
    const uint32_t i = slotindex(h) - 1;
    if (i >= tablesize) return nullptr;
    Slot &s = table[i];
    return s.key == (((uint64_t)(uintptr_t)h << 4) | (uint64_t)kind) ? &s : nullptr;
}
template <class T> T *get(const void *h, Kind kind) {
    Slot *s = lookup(h, kind);
    return s ? static_cast<T *>(s->obj) : nullptr;
}
inline Kind kindof(const void *h) {
    Slot *s = lookup(h);
    return s ? s->kind : Kind::none;
}

} // namespace dgp
