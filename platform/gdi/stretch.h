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
// surface are listed, in target order from d.
void stretchaxis(std::vector<Span> &out, int64_t d, int64_t dl, int dn, int64_t s, int64_t sl,
                 int sn);

} // namespace dgp
