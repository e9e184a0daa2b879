// The row kernels of the block transfers. Each gets rectangles that are
// already clipped to both surfaces and writes every target pixel it is given;
// choosing a kernel and clipping for it is blit.cpp's work. Scratch memory
// comes from the caller.
#pragma once

#include "gdi/stretch.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dgp {

// With `on`, target pixels whose source (or combined source) equals `px` are
// left as they are.
struct ColorKey {
    bool on = false;
    uint32_t px = 0;
};

// rows rows of n pixels, one to one.
void copyrows(uint32_t *out, size_t opitch, const uint32_t *in, size_t ipitch, size_t n,
              size_t rows, ColorKey key);

// Every source pixel as a 2 x 2 block: target pixel (i, r) takes source pixel
// ((i + xodd) / 2, (r + yodd) / 2), relative to out and in.
void doublerows(uint32_t *out, size_t opitch, const uint32_t *in, size_t ipitch, size_t n,
                size_t rows, bool xodd, bool yodd, ColorKey key, std::vector<uint32_t> &line);

// Every 2 x 2 block of source pixels as one target pixel, the block's first
// row, last column, left out where it is the key.
void halfkeyrows(uint32_t *out, size_t opitch, const uint32_t *in, size_t ipitch, size_t n,
                 size_t rows, uint32_t key);

// Every 2 x 2 block of source pixels combined with AND into one target pixel.
void halverows(uint32_t *out, size_t opitch, const uint32_t *in, size_t ipitch, size_t n,
               size_t rows);

// The target columns of a stretched copy, left to right: column i takes the
// cnt[i] source pixels from idx[i] on (relative to the first source column
// read), combined with AND; `single` when every cnt is 1.
struct ColumnMap {
    std::vector<int> idx, cnt;
    bool single = true;
};

// Target rows ys (each from its source rows lo..hi combined with AND) of a
// stretched copy: row r.d of the target, from column dx0, takes the columns of
// `cols`. src is the first source column read in source row `row0`; both
// pitches are in pixels.
void maprows(uint32_t *dst, size_t dpitch, int dx0, const std::vector<Span> &ys,
             const uint32_t *src, size_t spitch, int row0, size_t bandwidth, const ColumnMap &cols,
             std::vector<uint32_t> &band);

// Target rows of a transparent copy, one source pixel for each target pixel:
// row ys[i].d of the target takes source row rows[i], its pixel i from column
// dx0 on takes source column cols[i]; a row or column of -1 is off the source
// and reads black. src is source column 0 of source row 0 as the indices count
// them; the pitch is in pixels.
void pickrows(uint32_t *dst, size_t dpitch, int dx0, const std::vector<Span> &ys,
              const std::vector<int> &rows, const uint32_t *src, size_t spitch,
              const std::vector<int> &cols, uint32_t key);

} // namespace dgp
