/* dg: a DOS-style graphics interface in one desktop window.
 *
 * The hosted program supplies Main. It sees a 320 x 200 logical screen with the
 * VGA default palette; at the default scale (bai 1) every logical pixel is a
 * 2 x 2 block of device pixels. Colours are palette indices 0-255 (higher bits
 * are ignored); dg_pget and the transparent colour of dg_drawbmp3/4 are device
 * colours 0x00BBGGRR. Texts are code page 932 (Shift_JIS).
 *
 *     int Main(void) {
 *         dg_setvideomode(19);
 *         dg_printf(10, 10, 15, "hello %d", 42);
 *         getch();
 *         return 0;
 *     }
 */
#ifndef DG_H
#define DG_H

#include "dgwin.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Screen state (read it, change it only through dg_setscreen). */
extern int screenx, screeny;          /* outer top-left corner of the window */
extern int screenwidth, screenheight; /* client size in device pixels after dg_setscreen */
extern int bai;                       /* 1: doubled window, 2: full screen, else 1:1 window */
extern char titlebar[101];            /* window title */
extern COLORREF coltbl[256];          /* the VGA default palette */
extern HDC gvram;                     /* the window's drawing surface */
extern HFONT hfont;                   /* the text font, owned by the runtime */
extern HFONT holdfont;                /* the font dg_printf displaced */

/* Supplied by the hosted program. */
int Main(void);

/* Host. */
void ML(void);        /* dispatch every waiting window message, then return */
void Terminate(void); /* restore the display and end the process with exit code 1 */
void dg_setscreen(int lx, int ly, int lwidth, int lheight, int lbai, const char *ltb);

/* Pixels, spans, boxes, clearing. */
void dg_pset(HDC hdc, int x, int y, short color);
COLORREF dg_pget(HDC hdc, int x, int y);
void dg_xline(HDC hdc, int x, int y, int width, short color);
void dg_yline(HDC hdc, int x, int y, int height, short color);
void dg_box(HDC hdc, int x, int y, int width, int height, int paintflg, short color);
void dg_gcls(HDC hdc, short color);

/* Lines and circles. */
void dg_line(HDC hdc, int x1, int y1, int x2, int y2, short color);
void dg_circle(HDC hdc, int cx, int cy, int r, short color);

/* Text: 19 selects the 8 x 16 (or 4 x 8) font, any other mode drops it. */
void dg_setvideomode(int mode);
void dg_setfont(const char *fname, int fw, int fh);
void dg_printf(int x, int y, short color, const char *pformat, ...);

/* Bitmaps. */
HDC dg_loadbmp(const char *pfilename);
void dg_drawbmp(HDC hdc, int x, int y, int width, int height, HDC hMemdc);
void dg_drawbmp2(HDC hdc, int x, int y, int width, int height, HDC hMemdc, int sx, int sy);
void dg_drawbmp3(HDC hdc, int x, int y, int width, int height, HDC hMemdc, int sx, int sy,
                 COLORREF toumei);
void dg_drawbmp4(HDC hdc, int x, int y, int width, int height, HDC hMemdc, int sx, int sy,
                 int swidth, int sheight, COLORREF toumei);
void dg_deletebmp(HDC hMemdc);

/* Back buffer: 1280 x 1024 device pixels, white when new. */
HDC dg_createBB(void);
void dg_flip(HDC hdc, HDC hMemdc);
void dg_deleteBB(HDC hMemdc);

/* Keyboard and pauses. */
int getch(void);        /* spin until a polled key is down; its DOS-style code */
int kbhit(void);        /* 1 if a polled key is down now */
void dg_wait(int wcnt); /* pause wcnt / 100000 milliseconds; called as wait(wcnt) */

#ifdef __cplusplus
}
/* POSIX has a wait(int *) of its own; in C++ the two live side by side. */
inline void wait(int wcnt) { dg_wait(wcnt); }
#else
#define wait(wcnt) dg_wait(wcnt)
#endif

#endif
