// Bitmaps: 32-bit XRGB pixel memory (0x00RRGGBB), rows top-down.
#pragma once

#include "gdi/handles.h"

#include <cstdint>
#include <vector>

namespace dgp {

// No bitmap holds more pixels than this (256 MB): what no screen-compatible
// bitmap could be is refused, and so is a file describing more.
constexpr uint64_t maxbitmappixels = uint64_t(1) << 26;

struct Bitmap {
    int w = 0, h = 0;
    std::vector<uint32_t> px;
    int selected = 0; // how many DCs hold it
};

inline Bitmap *getbitmap(HBITMAP h) { return get<Bitmap>(h, Kind::bitmap); }

// A bitmap handle over new pixels, filled with 0 (black); none when the
// table is full.
HBITMAP newbitmap(int w, int h);

} // namespace dgp
