// The row kernels of the block transfers.
#include "gdi/rows.h"

#include <cstdlib>
#include <cstring>

namespace dgp {

namespace {

// The target pixel o where the source pixel v is the key, else v. Both are
// read and one is kept by a mask, so the loops around it compile to vector
// selects; written as `v == key ? o : v`, the target is read only where it is
// kept, and clang (the page's compiler) leaves a branch for every pixel.
inline uint32_t keyed(uint32_t o, uint32_t v, uint32_t key) {
    const uint32_t keep = 0u - (uint32_t)(v == key);
    return (o & keep) | (v & ~keep);
}

// One target row from a row that was built for it: copied, or with a key
// only where the pixel is not the key.
inline void putrow(uint32_t *out, const uint32_t *in, size_t n, ColorKey key) {
    if (!key.on) {
        std::memcpy(out, in, n * 4);
        return;
    }
    for (size_t i = 0; i < n; i++) out[i] = keyed(out[i], in[i], key.px);
}

// One target row of a stretched copy from one source row t.
void maprow(uint32_t *out, const uint32_t *t, const ColumnMap &cols, size_t n) {
    const int *idx = cols.idx.data(), *cnt = cols.cnt.data();
    if (cols.single) {
        for (size_t i = 0; i < n; i++) out[i] = t[idx[i]] & 0xFFFFFF;
        return;
    }
    for (size_t i = 0; i < n; i++) {
        const uint32_t *p = t + idx[i];
        uint32_t v = p[0];
        for (int c = 1; c < cnt[i]; c++) v &= p[c];
        out[i] = v & 0xFFFFFF;
    }
}

} // namespace

void copyrows(uint32_t *out, size_t opitch, const uint32_t *in, size_t ipitch, size_t n,
              size_t rows, ColorKey key) {
    if (!key.on) {
        if (n == opitch && n == ipitch) {
            std::memcpy(out, in, n * rows * 4); // whole rows: one block
            return;
        }
        for (size_t r = 0; r < rows; r++, out += opitch, in += ipitch) std::memcpy(out, in, n * 4);
        return;
    }
    for (size_t r = 0; r < rows; r++, out += opitch, in += ipitch)
        for (size_t i = 0; i < n; i++) out[i] = keyed(out[i], in[i] & 0xFFFFFF, key.px);
}

void doublerows(uint32_t *out, size_t opitch, const uint32_t *in, size_t ipitch, size_t n,
                size_t rows, bool xodd, bool yodd, ColorKey key, std::vector<uint32_t> &line) {
    line.resize(n);
    uint32_t *tmp = line.data();
    size_t built = (size_t)-1; // the source row `line` holds
    for (size_t k = 0; k < rows; k++, out += opitch) {
        const size_t r = (k + yodd) >> 1;
        if (r != built) {
            const uint32_t *p = in + r * ipitch;
            size_t i = 0;
            if (xodd) tmp[i++] = *p++ & 0xFFFFFF;
            for (; i + 2 <= n; i += 2, p++) tmp[i] = tmp[i + 1] = *p & 0xFFFFFF;
            if (i < n) tmp[i] = *p & 0xFFFFFF;
            built = r;
        }
        putrow(out, tmp, n, key);
    }
}

void halfkeyrows(uint32_t *out, size_t opitch, const uint32_t *in, size_t ipitch, size_t n,
                 size_t rows, uint32_t key) {
    for (size_t k = 0; k < rows; k++, out += opitch, in += 2 * ipitch)
        for (size_t i = 0; i < n; i++) out[i] = keyed(out[i], in[2 * i + 1] & 0xFFFFFF, key);
}

void halverows(uint32_t *out, size_t opitch, const uint32_t *in, size_t ipitch, size_t n,
               size_t rows) {
    for (size_t k = 0; k < rows; k++, out += opitch, in += 2 * ipitch) {
        const uint32_t *a = in, *b = in + ipitch;
        for (size_t i = 0; i < n; i++)
            out[i] = a[2 * i] & a[2 * i + 1] & b[2 * i] & b[2 * i + 1] & 0xFFFFFF;
    }
}

void maprows(uint32_t *dst, size_t dpitch, int dx0, const std::vector<Span> &ys,
             const uint32_t *src, size_t spitch, int row0, size_t bandwidth, const ColumnMap &cols,
             std::vector<uint32_t> &band) {
    const size_t n = cols.idx.size();
    band.resize(bandwidth);
    const Span *prev = nullptr;
    for (const Span &r : ys) {
        uint32_t *out = dst + (size_t)r.d * dpitch + dx0;
        // A row that reads what the row before read comes out the same: copied.
        if (prev && prev->lo == r.lo && prev->hi == r.hi && std::abs(prev->d - r.d) == 1) {
            std::memcpy(out, dst + (size_t)prev->d * dpitch + dx0, n * 4);
            prev = &r;
            continue;
        }
        const uint32_t *t = src + (size_t)(r.lo - row0) * spitch;
        if (r.hi > r.lo) {
            std::memcpy(band.data(), t, bandwidth * 4);
            for (int q = r.lo + 1; q <= r.hi; q++) {
                const uint32_t *in = src + (size_t)(q - row0) * spitch;
                for (size_t i = 0; i < bandwidth; i++) band[i] &= in[i];
            }
            t = band.data();
        }
        maprow(out, t, cols, n);
        prev = &r;
    }
}

void pickrows(uint32_t *dst, size_t dpitch, int dx0, const std::vector<Span> &ys,
              const std::vector<int> &rows, const uint32_t *src, size_t spitch,
              const std::vector<int> &cols, uint32_t key) {
    const size_t n = cols.size();
    for (size_t r = 0; r < ys.size(); r++) {
        uint32_t *out = dst + (size_t)ys[r].d * dpitch + dx0;
        if (rows[r] < 0) {
            if (key != 0) // off the source: black, left out where black is the key
                for (size_t i = 0; i < n; i++) out[i] = 0;
            continue;
        }
        const uint32_t *t = src + (size_t)rows[r] * spitch;
        for (size_t i = 0; i < n; i++) {
            const uint32_t v = cols[i] < 0 ? 0 : t[cols[i]] & 0xFFFFFF;
            if (v != key) out[i] = v;
        }
    }
}

} // namespace dgp
