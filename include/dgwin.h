/* The handle and colour types of the hosted-program interface.
 * On Windows they are the system's own; elsewhere they are declared here with
 * the same names and sizes, and platform/ implements the functions behind them. */
#ifndef DGWIN_H
#define DGWIN_H

#ifdef _WIN32
#include <windows.h>
#else
#include <stdint.h>

#define WINAPI
#define CALLBACK
#define APIENTRY

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned int DWORD;
typedef unsigned int UINT;
typedef int INT;
typedef int LONG;
typedef short SHORT;
typedef char CHAR;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef void *LPVOID;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef DWORD COLORREF;
typedef void *HANDLE;
typedef void *HGDIOBJ;

#define DG_HANDLE(name)                                                                            \
    struct name##__ {                                                                              \
        int unused;                                                                                \
    };                                                                                             \
    typedef struct name##__ *name
DG_HANDLE(HWND);
DG_HANDLE(HDC);
DG_HANDLE(HBRUSH);
DG_HANDLE(HFONT);
DG_HANDLE(HBITMAP);
DG_HANDLE(HINSTANCE);
DG_HANDLE(HCURSOR);
DG_HANDLE(HICON);
DG_HANDLE(HMENU);
#undef DG_HANDLE
typedef HINSTANCE HMODULE;

#endif
#endif
