// The benchmark's whole frame, drawn by dg: shared by the benchmark
// (dgops.cpp) and by the frame-rate program (frames.cpp), which also runs as
// a web page.
#pragma once

#include "host.h"

#include <cstdint>

namespace bench {

// A memory surface of w x h pixels in the window's format, set pixel by pixel.
HDC makesurface(int w, int h, uint32_t (*px)(int, int));

// One whole frame into the back buffer bb: the picture, the sprites, the
// lines, the circles and a line of text (n), flipped onto the window. The
// sprite and the picture are made on the first call.
void frame(HDC bb, int n);

} // namespace bench
