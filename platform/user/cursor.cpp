// The cursor: LoadCursorA (the arrow only), SetCursor, GetCursor.
#include "user/window.h"

namespace {

HCURSOR arrow;   // the stock arrow
HCURSOR current; // what SetCursor set last
SDL_Cursor *sdlarrow;

} // namespace

extern "C" {

HCURSOR WINAPI LoadCursorA(HINSTANCE inst, LPCSTR name) {
    if (inst || name != IDC_ARROW) return nullptr;
    if (!arrow) {
        dgp::initsdl();
        sdlarrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
        arrow = (HCURSOR)dgp::newhandle(dgp::Kind::cursor, sdlarrow);
    }
    return arrow;
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
    HCURSOR old = current;
    if (cursor && !dgp::lookup(cursor, dgp::Kind::cursor)) return old;
    current = cursor;
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return old;
    if (cursor) {
        if (SDL_Cursor *c = dgp::get<SDL_Cursor>(cursor, dgp::Kind::cursor)) SDL_SetCursor(c);
        SDL_ShowCursor(SDL_ENABLE);
    } else {
        SDL_ShowCursor(SDL_DISABLE);
    }
    return old;
}

HCURSOR WINAPI GetCursor(void) { return current; }

} // extern "C"
