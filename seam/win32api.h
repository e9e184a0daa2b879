// The declarations of the Win32 subset for systems without Win32 (win32.h
// gives them to the runtime): the same names, argument orders and constant
// values as <windows.h>. platform/ implements every function declared here.
#pragma once

#include "dgwin.h"

#ifdef __cplusplus
#define DG_HOT inline
extern "C" {
#else
#define DG_HOT
#endif

#define TRUE 1
#define FALSE 0
#define MAKEINTRESOURCEA(i) ((LPSTR)(uintptr_t)(WORD)(i))

typedef LRESULT(CALLBACK *WNDPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagRECT {
    LONG left, top, right, bottom;
} RECT, *LPRECT;

typedef struct tagPOINT {
    LONG x, y;
} POINT;

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *LPMSG;

typedef struct tagWNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA;

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

typedef struct _POINTL {
    LONG x, y;
} POINTL;

// 156 bytes, laid out as the system's own.
typedef struct _devicemodeA {
    BYTE dmDeviceName[32];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    union {
        struct {
            short dmOrientation, dmPaperSize, dmPaperLength, dmPaperWidth;
            short dmScale, dmCopies, dmDefaultSource, dmPrintQuality;
        } s1;
        struct {
            POINTL dmPosition;
            DWORD dmDisplayOrientation;
            DWORD dmDisplayFixedOutput;
        } s2;
    } u1;
    short dmColor, dmDuplex, dmYResolution, dmTTOption, dmCollate;
    BYTE dmFormName[32];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
    DWORD dmICMMethod, dmICMIntent, dmMediaType, dmDitherType;
    DWORD dmReserved1, dmReserved2, dmPanningWidth, dmPanningHeight;
} DEVMODEA, *LPDEVMODEA;

// Messages.
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCOMMAND 0x0112
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define SC_CLOSE 0xF060
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

// Virtual keys.
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_F1 0x70
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F12 0x7B
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3

// Classes, styles, placement.
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define WS_OVERLAPPED 0x00000000
#define WS_POPUP 0x80000000
#define WS_VISIBLE 0x10000000
#define WS_CLIPSIBLINGS 0x04000000
#define WS_CAPTION 0x00C00000
#define WS_SYSMENU 0x00080000
#define WS_THICKFRAME 0x00040000
#define WS_MINIMIZEBOX 0x00020000
#define WS_MAXIMIZEBOX 0x00010000
#define WS_OVERLAPPEDWINDOW 0x00CF0000
#define WS_EX_TOPMOST 0x00000008
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define HWND_TOP ((HWND)0)
#define HWND_TOPMOST ((HWND)(intptr_t)-1)
#define HWND_NOTOPMOST ((HWND)(intptr_t)-2)
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_SHOWWINDOW 0x0040
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1

// Message boxes.
#define MB_OK 0x00000000
#define MB_YESNO 0x00000004
#define MB_ICONHAND 0x00000010
#define MB_ICONQUESTION 0x00000020
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

// Display modes.
#define CDS_TEST 0x00000002
#define CDS_FULLSCREEN 0x00000004
#define DISP_CHANGE_SUCCESSFUL 0
#define DISP_CHANGE_FAILED (-1)
#define DISP_CHANGE_BADMODE (-2)
#define DM_BITSPERPEL 0x00040000
#define DM_PELSWIDTH 0x00080000
#define DM_PELSHEIGHT 0x00100000
#define ENUM_CURRENT_SETTINGS ((DWORD)-1)

// Cursors.
#define IDC_ARROW MAKEINTRESOURCEA(32512)

// GDI.
#define RGB(r, g, b)                                                                               \
    ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(c) ((BYTE)(c))
#define GetGValue(c) ((BYTE)((c) >> 8))
#define GetBValue(c) ((BYTE)((c) >> 16))
#define CLR_INVALID 0xFFFFFFFF
#define WHITE_BRUSH 0
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define SYSTEM_FONT 13
#define PATCOPY 0x00F00021
#define WHITENESS 0x00FF0062
#define BLACKNESS 0x00000042
#define SRCCOPY 0x00CC0020
#define NULLREGION 1
#define SIMPLEREGION 2
#define OBJ_BRUSH 2
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OPAQUE 2
#define TRANSPARENT 1
#define IMAGE_BITMAP 0
#define LR_LOADFROMFILE 0x00000010
#define LR_CREATEDIBSECTION 0x00002000
#define FW_NORMAL 400
#define DEFAULT_CHARSET 1
#define SHIFTJIS_CHARSET 128
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define PROOF_QUALITY 2
#define FIXED_PITCH 1
#define FF_MODERN 0x30

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP;

// user32: windows and messages.
WORD WINAPI RegisterClassA(const WNDCLASSA *wc);
HWND WINAPI CreateWindowExA(DWORD exstyle, LPCSTR cls, LPCSTR title, DWORD style, int x, int y,
                            int w, int h, HWND parent, HMENU menu, HINSTANCE inst, LPVOID param);
BOOL WINAPI UpdateWindow(HWND hwnd);
BOOL WINAPI DestroyWindow(HWND hwnd);
BOOL WINAPI IsWindow(HWND hwnd);
HWND WINAPI GetForegroundWindow(void);
BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text);
int WINAPI GetWindowTextA(HWND hwnd, LPSTR text, int max);
int WINAPI GetClassNameA(HWND hwnd, LPSTR name, int max);
LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value);
LONG WINAPI GetWindowLongA(HWND hwnd, int index);
BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);
BOOL WINAPI SetWindowPos(HWND hwnd, HWND after, int x, int y, int w, int h, UINT flags);
BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect);
BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect);
BOOL WINAPI ClientToScreen(HWND hwnd, POINT *pt);
int WINAPI GetSystemMetrics(int index);
LONG WINAPI ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags);
BOOL WINAPI EnumDisplaySettingsA(LPCSTR device, DWORD mode, DEVMODEA *dm);
HCURSOR WINAPI LoadCursorA(HINSTANCE inst, LPCSTR name);
HCURSOR WINAPI SetCursor(HCURSOR cursor);
HCURSOR WINAPI GetCursor(void);
BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove);
BOOL WINAPI TranslateMessage(const MSG *msg);
LRESULT WINAPI DispatchMessageA(const MSG *msg);
BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps);
BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT *ps);
void WINAPI PostQuitMessage(int code);
int WINAPI MessageBoxA(HWND hwnd, LPCSTR text, LPCSTR caption, UINT type);
HDC WINAPI GetDC(HWND hwnd);
int WINAPI ReleaseDC(HWND hwnd, HDC hdc);
SHORT WINAPI GetAsyncKeyState(int vk);
int wsprintfA(LPSTR out, LPCSTR format, ...);

// kernel32.
void WINAPI Sleep(DWORD ms);
HMODULE WINAPI GetModuleHandleA(LPCSTR name);
HANDLE WINAPI GetCurrentProcess(void);
BOOL WINAPI TerminateProcess(HANDLE process, UINT code);
DWORD WINAPI GetTickCount(void);

// gdi32.
// The calls on the runtime's hottest path (every pixel at double size is a
// brush created, selected, used, put back and deleted): platform/ defines
// them inline (gdi/hot.h), so that they cost what a pointer write costs in
// any build, with or without link-time optimisation.
DG_HOT HBRUSH WINAPI CreateSolidBrush(COLORREF color);
DG_HOT HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ obj);
DG_HOT BOOL WINAPI DeleteObject(HGDIOBJ obj);
DG_HOT BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
DG_HOT int WINAPI GetClipBox(HDC hdc, LPRECT rect);
DG_HOT COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color);
DG_HOT COLORREF WINAPI GetPixel(HDC hdc, int x, int y);

HGDIOBJ WINAPI GetStockObject(int index);
HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type);
int WINAPI GetObjectA(HGDIOBJ obj, int size, LPVOID out);
HDC WINAPI CreateCompatibleDC(HDC hdc);
HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int w, int h);
BOOL WINAPI DeleteDC(HDC hdc);
BOOL WINAPI BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop);
BOOL WINAPI StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                       DWORD rop);
BOOL WINAPI TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw,
                           int sh, UINT transparent);
HANDLE WINAPI LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int w, int h, UINT flags);
HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeout, DWORD charset,
                         DWORD outprecision, DWORD clipprecision, DWORD quality,
                         DWORD pitchandfamily, LPCSTR face);
COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color);
COLORREF WINAPI GetTextColor(HDC hdc);
COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color);
COLORREF WINAPI GetBkColor(HDC hdc);
int WINAPI SetBkMode(HDC hdc, int mode);
int WINAPI GetBkMode(HDC hdc);
BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int len);

// The process entry that platform/ calls from main.
int WINAPI WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR cmdline, int show);

#ifdef __cplusplus
}
#endif
