// Placeholder until this file is written.
#include "objects.h"

extern "C" {
#pragma GCC diagnostic ignored "-Wunused-parameter"
HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeout, DWORD charset,
                         DWORD outprecision, DWORD clipprecision, DWORD quality,
                         DWORD pitchandfamily, LPCSTR face) {
    return 0;
}
BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int len) { return 0; }
}

namespace dgp {
void fontfree(Font *) {}
} // namespace dgp
