// F8: the keys a program sees, written as a check script (script.h) that
// replays them at the same points of the program's own time.
#pragma once

#include "win32.h"

namespace dgtools {

// F8: starts a recording, or ends it and writes NAME-YYYYMMDD-HHMMSS.txt.
// False where keys are not recorded (on Windows).
bool togglerecording(HWND hwnd);
// F12 while recording: the screenshot is taken at the program's next step
// and becomes the golden of a `frame` step. False when not recording.
bool recordframe(HWND hwnd);

} // namespace dgtools
