// Which source pixels each target pixel of a stretched copy takes, along one
// axis, for the target pixels on the target surface.
#pragma once

#include <cstdint>
#include <vector>

namespace dgp {

// One target coordinate and the source coordinates [lo, hi] that land on it,
// already clipped to the source surface.
struct Span {
    int d, lo, hi;
};

// The spans of one axis: target start d, length dl, on a surface of dn pixels;
// source start s, length sl, on a surface of sn pixels (a negative length runs
// from its start backwards, mirrored). Only target pixels on the target
// surface are listed, in target order from d. With `clip`, spans are cut to
// the source surface and target pixels with no source pixel on it are left
// out; without, every target pixel is listed and a source coordinate off the
// surface reads -1 (before it) or sn (past it).
void stretchaxis(std::vector<Span> &out, int64_t d, int64_t dl, int dn, int64_t s, int64_t sl,
                 int sn, bool clip = true);

} // namespace dgp
