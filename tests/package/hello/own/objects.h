/* hello's own objects.h, which must win over any header of dg's of that name. */
#define HELLO_OWN_OBJECTS 1
