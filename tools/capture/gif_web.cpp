// No GIF encoder library is built for this system: F9 records nothing here.
#include "capture/gif.h"

namespace dgtools {

bool togglegif(HWND) { return false; }
void gifframe() {}
void gifend() {}

} // namespace dgtools
