/* hello's own window.h, which must win over any header of dg's of that name. */
#define HELLO_OWN_WINDOW 1
