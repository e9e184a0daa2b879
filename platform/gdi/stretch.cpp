// The stretch mapping of GDI: each target pixel takes the source pixel under
// its centre, and when shrinking, the source pixels whose centres fall on one
// target pixel are combined (rows.cpp). A centre that falls exactly on the
// border between two pixels goes to the lower one, as GDI's walk of the
// mapping (a Bresenham line from the first pixel's centre) gives it.
#include "gdi/stretch.h"

#include <algorithm>

namespace dgp {

namespace {

typedef int64_t i64;

// floor(a / b) and ceil(a / b) for b > 0.
__int128 floordiv(__int128 a, __int128 b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
__int128 ceildiv(__int128 a, __int128 b) { return -floordiv(-a, b); }

} // namespace

// Target step k takes the source step floor(((2k + 1) * slen - 1) / (2 * dlen));
// when shrinking, the source steps j with
// floor(((2j + 1) * dlen - 1) / (2 * slen)) = k. Both are walked with a
// remainder from the first visible step on, so no step divides.
void stretchaxis(std::vector<Span> &out, i64 d, i64 dl, int dn, i64 s, i64 sl, int sn, bool clip) {
    out.clear();
    const i64 ddir = dl < 0 ? -1 : 1, sdir = sl < 0 ? -1 : 1;
    const i64 dlen = dl < 0 ? -dl : dl, slen = sl < 0 ? -sl : sl;
    if (dlen == 0 || slen == 0) return;
    // Steps k along the target whose pixel d + ddir * k lies on [0, dn).
    i64 k0, k1; // inclusive
    if (ddir > 0) {
        k0 = std::max<i64>(0, -d);
        k1 = std::min<i64>(dlen - 1, (i64)dn - 1 - d);
    } else {
        k0 = std::max<i64>(0, d - ((i64)dn - 1));
        k1 = std::min<i64>(dlen - 1, d);
    }
    if (k0 > k1) return;
    out.reserve((size_t)(k1 - k0 + 1));
    const i64 D = 2 * dlen;
    auto emit = [&](i64 k, i64 j0, i64 j1) {
        i64 a = s + sdir * j0, b = s + sdir * j1;
        if (a > b) std::swap(a, b);
        if (!clip) {
            const auto held = [sn](i64 v) { return (int)std::min<i64>(std::max<i64>(v, -1), sn); };
            out.push_back({(int)(d + ddir * k), held(a), held(b)});
            return;
        }
        a = std::max<i64>(a, 0);
        b = std::min<i64>(b, (i64)sn - 1);
        if (a <= b) out.push_back({(int)(d + ddir * k), (int)a, (int)b});
    };
    if (dlen >= slen) {
        // j = floor(n / D) for n = (2k + 1) * slen - 1, kept as j and n mod D.
        const __int128 n0 = (__int128)(2 * k0 + 1) * slen - 1;
        i64 j = (i64)(n0 / D), r = (i64)(n0 % D);
        const i64 inc = 2 * slen; // at most D: j grows by 0 or 1 a step
        for (i64 k = k0; k <= k1; k++) {
            emit(k, j, j);
            r += inc;
            if (r >= D) {
                r -= D;
                j++;
            }
        }
        return;
    }
    // first(k) = ceil((2k * slen - dlen + 1) / D), kept as q and q * D - n.
    const __int128 n0 = (__int128)2 * k0 * slen - dlen + 1;
    i64 q = (i64)ceildiv(n0, D), r = (i64)((__int128)q * D - n0);
    const i64 qi = (2 * slen) / D, ri = (2 * slen) % D;
    for (i64 k = k0; k <= k1; k++) {
        i64 nq = q + qi, nr = r - ri;
        if (nr < 0) {
            nr += D;
            nq++;
        }
        emit(k, std::max<i64>(q, 0), std::min<i64>(nq - 1, slen - 1));
        q = nq;
        r = nr;
    }
}

} // namespace dgp
