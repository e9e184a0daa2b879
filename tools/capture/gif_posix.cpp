// F9 recordings, encoded by cgif: frames taken when the program polls or
// pauses (between its own frames, never halfway through drawing one); each
// frame stores only the rectangle that changed (cgif's difference window). The
// colours are the window's own: the global colour table holds the first
// frame's colours, filled up with the VGA palette's; a frame with a colour
// outside it gets a table of its own, exact when it has at most 256 colours,
// else its colours rounded to a 6 x 7 x 6 cube (252 colours). A frame's
// duration is the time to the next one, in hundredths of a second counted from
// the recording's start, so the rounding never adds up over a long recording.
#include "capture/gif.h"

#include "capture/capture.h"
#include "capture/screenshot.h"
#include "dg.h"
#include "user/poll.h"
#include "user/window.h"

#include <cgif.h>

#include <cstdio>
#include <ctime>
#include <unordered_map>
#include <vector>

namespace dgtools {

namespace {

constexpr uint64_t framegap = 1000000000u / maxframerate; // ns
// How often the pixels are looked at for a change.
constexpr uint64_t lookgap = 5000000; // ns
constexpr uint64_t longest = (uint64_t)maxseconds * 1000000000u;

struct Frame {
    std::vector<uint8_t> index; // a palette index per pixel
    std::vector<uint8_t> table; // its own colour table (RGB), or empty: the global one
    uint64_t at = 0;            // ns since the recording began
};

struct Recording {
    CGIF *gif = nullptr;
    std::vector<unsigned char> bytes;
    int w = 0, h = 0;
    uint64_t start = 0;
    uint64_t looked = 0;        // when the pixels were last looked at
    std::vector<uint32_t> last; // the pixels of the frame held back
    Frame held;                 // written when the next one shows its duration
    bool haveheld = false;
    bool ownbefore = false; // the frame before the held one had its own table
    std::unordered_map<uint32_t, uint8_t> global;
    std::vector<uint8_t> globaltable;
    int frames = 0;
} rec;

int collect(void *context, const uint8_t *data, const size_t n) {
    auto *out = static_cast<std::vector<unsigned char> *>(context);
    out->insert(out->end(), data, data + n);
    return CGIF_OK;
}

uint16_t centiseconds(uint64_t ns) { return (uint16_t)((ns + 5000000) / 10000000); }

// The global table: the first frame's colours, then the VGA palette's.
void maketable(const std::vector<uint32_t> &px) {
    const auto add = [](uint32_t c) {
        if (rec.global.size() < 256 && rec.global.emplace(c, (uint8_t)rec.global.size()).second) {
            rec.globaltable.push_back((uint8_t)(c >> 16));
            rec.globaltable.push_back((uint8_t)(c >> 8));
            rec.globaltable.push_back((uint8_t)c);
        }
    };
    for (uint32_t c : px) add(c & 0xFFFFFF);
    for (int i = 0; i < 256; i++) {
        const COLORREF c = coltbl[i];
        add(((uint32_t)GetRValue(c) << 16) | ((uint32_t)GetGValue(c) << 8) | GetBValue(c));
    }
}

Frame makeframe(const std::vector<uint32_t> &px) {
    Frame f;
    f.index.resize(px.size());
    bool inglobal = true;
    for (size_t i = 0; i < px.size() && inglobal; i++) {
        auto it = rec.global.find(px[i] & 0xFFFFFF);
        if (it == rec.global.end())
            inglobal = false;
        else
            f.index[i] = it->second;
    }
    if (inglobal) return f;
    std::unordered_map<uint32_t, uint8_t> own;
    for (size_t i = 0; i < px.size() && own.size() <= 256; i++) own.emplace(px[i] & 0xFFFFFF, 0);
    if (own.size() <= 256) {
        for (auto &e : own) {
            e.second = (uint8_t)(f.table.size() / 3);
            f.table.push_back((uint8_t)(e.first >> 16));
            f.table.push_back((uint8_t)(e.first >> 8));
            f.table.push_back((uint8_t)e.first);
        }
        for (size_t i = 0; i < px.size(); i++) f.index[i] = own[px[i] & 0xFFFFFF];
        return f;
    }
    // More than 256 colours: each rounded to the nearest of the cube.
    for (int r = 0; r < 6; r++)
        for (int g = 0; g < 7; g++)
            for (int b = 0; b < 6; b++) {
                f.table.push_back((uint8_t)(r * 255 / 5));
                f.table.push_back((uint8_t)(g * 255 / 6));
                f.table.push_back((uint8_t)(b * 255 / 5));
            }
    for (size_t i = 0; i < px.size(); i++) {
        const uint32_t c = px[i];
        const int r = (((c >> 16) & 255) * 5 + 127) / 255, g = (((c >> 8) & 255) * 6 + 127) / 255,
                  b = ((c & 255) * 5 + 127) / 255;
        f.index[i] = (uint8_t)((r * 7 + g) * 6 + b);
    }
    return f;
}

// Writes the held frame, lasting until `until`.
void writeheld(uint64_t until) {
    if (!rec.haveheld) return;
    CGIF_FrameConfig fc{};
    fc.pImageData = rec.held.index.data();
    fc.delay = (uint16_t)(centiseconds(until) - centiseconds(rec.held.at));
    const bool own = !rec.held.table.empty();
    if (own) {
        fc.attrFlags = CGIF_FRAME_ATTR_USE_LOCAL_TABLE;
        fc.pLocalPalette = rec.held.table.data();
        fc.numLocalPaletteEntries = (uint16_t)(rec.held.table.size() / 3);
    }
    // Only the changed rectangle, where both frames index the same table.
    if (!own && !rec.ownbefore && rec.frames > 0) fc.genFlags = CGIF_FRAME_GEN_USE_DIFF_WINDOW;
    cgif_addframe(rec.gif, &fc);
    rec.ownbefore = own;
    rec.frames++;
    rec.haveheld = false;
}

void stop(const char *why) {
    if (!rec.gif) return;
    writeheld(dgp::fineclock() - rec.start);
    const int frames = rec.frames;
    cgif_close(rec.gif);
    rec.gif = nullptr;
    if (frames > 0) {
        savefile(freshname(programname(), std::time(nullptr), "gif"), rec.bytes);
        std::fprintf(stderr, "dg: %d frames%s\n", frames, why);
    }
    rec = Recording();
}

} // namespace

bool togglegif(HWND) {
    if (rec.gif) {
        stop("");
        return true;
    }
    dgp::Window *w = dgp::mainwindow();
    if (!w || w->pixels.w <= 0 || w->pixels.h <= 0 || w->pixels.w > 65535 || w->pixels.h > 65535)
        return true;
    rec.w = w->pixels.w;
    rec.h = w->pixels.h;
    rec.start = dgp::fineclock();
    maketable(w->pixels.px);
    CGIF_Config c{};
    c.attrFlags = CGIF_ATTR_IS_ANIMATED;
    c.width = (uint16_t)rec.w;
    c.height = (uint16_t)rec.h;
    c.pGlobalPalette = rec.globaltable.data();
    c.numGlobalPaletteEntries = (uint16_t)(rec.globaltable.size() / 3);
    c.numLoops = CGIF_INFINITE_LOOP;
    c.pWriteFn = collect;
    c.pContext = &rec.bytes;
    rec.gif = cgif_newgif(&c);
    if (!rec.gif) {
        std::fprintf(stderr, "dg: a GIF could not be started\n");
        rec = Recording();
        return true;
    }
    std::fprintf(stderr, "dg: recording a GIF (F9 again ends it; at most %d s)\n", maxseconds);
    gifframe();
    return true;
}

void gifframe() {
    if (!rec.gif) return;
    dgp::Window *w = dgp::mainwindow();
    if (!w) return;
    if (w->pixels.w != rec.w || w->pixels.h != rec.h) {
        stop(" (the window changed its size: the recording ends there)");
        return;
    }
    const uint64_t at = dgp::fineclock() - rec.start;
    if (at >= longest) {
        stop(" (the longest a recording takes)");
        return;
    }
    if (rec.haveheld && (at - rec.held.at < framegap || at - rec.looked < lookgap)) return;
    rec.looked = at;
    if (w->pixels.px == rec.last) return; // the same picture goes on
    writeheld(at);
    rec.last = w->pixels.px;
    rec.held = makeframe(rec.last);
    rec.held.at = at;
    rec.haveheld = true;
}

void gifend() { stop(""); }

} // namespace dgtools
