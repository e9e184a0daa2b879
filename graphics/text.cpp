// Text in the DOS manner: a fixed-pitch font chosen by video mode, and
// printf-style output in a palette colour on black cells of the window.
#include "../host/host.h"
#include "leadbyte.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// The face of the text modes: full-width "ＭＳ", a space, then "明朝".
const char mincho[] = "ＭＳ 明朝";

} // namespace

size_t dg_cutlen(const char *s, size_t max) {
    size_t i = 0;
    while (i < max && s[i]) {
        const bool lead = cp932_lead((unsigned char)s[i]);
        if (lead && !s[i + 1]) break; // a lead byte whose trail byte is missing goes
        size_t n = lead ? 2 : 1;
        if (i + n > max) break;
        i += n;
    }
    return i;
}

extern "C" {

void dg_setvideomode(int mode) {
    if (mode == 19) {
        if (bai == 1 || bai == 2)
            dg_setfont(mincho, 8, 16);
        else
            dg_setfont(mincho, 4, 8);
        return;
    }
    DeleteObject(hfont);
    hfont = nullptr;
}

void dg_setfont(const char *fname, int fw, int fh) {
    if (hfont) {
        DeleteObject(hfont);
        hfont = nullptr;
    }
    hfont = CreateFontA(fh, fw, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, fname);
}

void dg_printf(int x, int y, short color, const char *pformat, ...) {
    char buf[256];
    buf[0] = 0;
    va_list ap;
    va_start(ap, pformat);
    int n = pformat ? std::vsnprintf(buf, sizeof buf, pformat, ap) : 0;
    va_end(ap);
    if (n < 0 || n >= (int)sizeof buf) {
        buf[sizeof buf - 1] = 0; // some C libraries leave a full buffer unterminated
        buf[dg_cutlen(buf, sizeof buf - 1)] = 0;
    }

    holdfont = (HFONT)SelectObject(gvram, hfont);
    SetTextColor(gvram, dg_color(color));
    SetBkColor(gvram, 0);
    // A position past the 32-bit range lies off every surface: held at the limit.
    const int k = dg_scale();
    TextOutA(gvram, clamp32((i64)x * k), clamp32((i64)y * k), buf, (int)std::strlen(buf));
    SetTextColor(gvram, 0);
    SetBkColor(gvram, 0xFFFFFF);
    SelectObject(gvram, holdfont);
}

} // extern "C"
