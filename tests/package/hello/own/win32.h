/* hello's own win32.h, which must win over any header of dg's of that name. */
#define HELLO_OWN_WIN32 1
