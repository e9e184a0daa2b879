// wsprintfA, formatting as Windows' user32 does, by hand: the C library's
// printf reads the same format otherwise (%ld takes a 64-bit long on Linux,
// %I64X is flags and a width to it).
//
// A conversion is %[-][#][0][width][.precision][size]type, the flags in
// that order. Sizes: l and I32 are 32 bits (the LONG of Win32), I64 64 bits,
// I a pointer's size, none (and h, which only makes c, s, C and S single
// bytes) 32 bits. Types: c, d, i, u, x, X, s, p (a pointer in upper-case
// hexadecimal, zero-padded to all its digits), and S and C with h; %% is a
// percent sign. A number's precision is its least length, its sign counted
// (1 when none is given); '0' pads it with zeros to the width; '#' puts 0x
// before hexadecimal, outside the width. A string's precision is its most
// bytes (all when none); a null string is "(null)". An unknown type is
// padded to the width and then read as plain text. hc and hC leave out a
// zero character. Where Microsoft's description says no more, this is how
// Wine's user32 formats.
//
// Wide characters and strings (lc, ls, wc, ws, C and S without h) are
// refused: the output ends before them. At most 1023 bytes are written, and
// the NUL; a width is held to the room left.
#include "win32.h"

#include <cstdarg>
#include <cstdint>

namespace {

// Windows' wsprintfA writes at most this many bytes, the NUL included.
constexpr size_t wsprintfmax = 1024;

// The output so far, never longer than wsprintfmax - 1 bytes.
struct Out {
    char *p;
    size_t n = 0;
    void put(char c) {
        if (n < wsprintfmax - 1) p[n++] = c;
    }
    void fill(char c, size_t k) {
        while (k-- > 0 && n < wsprintfmax - 1) p[n++] = c;
    }
    size_t room() const { return wsprintfmax - 1 - n; }
};

enum Size { none, half, lng, i32, i64, iptr, wide };

struct Field {
    bool left = false, prefix = false, zero = false;
    size_t width = 0, precision = 0;
    Size size = none;
};

// A decimal field, held at a size that no output reaches.
size_t field(const char *&f) {
    size_t v = 0;
    for (; *f >= '0' && *f <= '9'; f++) v = v < wsprintfmax ? v * 10 + (size_t)(*f - '0') : v;
    return v;
}

// A width held to the room left, so that what it pads still shows.
size_t width(const Out &o, const Field &sp) { return sp.width < o.room() ? sp.width : o.room(); }

// Pads to the width on the side the flags say, around `body` of n bytes.
void padded(Out &o, const Field &sp, const char *body, size_t n) {
    const size_t w = width(o, sp), pad = w > n ? w - n : 0;
    if (!sp.left) o.fill(' ', pad);
    for (size_t i = 0; i < n; i++) o.put(body[i]);
    if (sp.left) o.fill(' ', pad);
}

void number(Out &o, const Field &sp, bool negative, uint64_t v, int base, bool upper) {
    const char *digitset = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char digits[24];
    size_t nd = 0;
    do {
        digits[nd++] = digitset[v % (uint64_t)base];
        v /= (uint64_t)base;
    } while (v);
    const size_t len = nd + (negative ? 1 : 0), w = width(o, sp);
    size_t least = sp.precision > len ? sp.precision : len; // the sign counted
    if (least > o.room()) least = o.room();
    if (sp.zero && !sp.left && w > least) least = w;
    const size_t pad = w > least ? w - least : 0;
    if (!sp.left) o.fill(' ', pad);
    if (sp.prefix && base == 16) o.put('0'), o.put(upper ? 'X' : 'x');
    if (negative) o.put('-');
    o.fill('0', least > len ? least - len : 0);
    while (nd > 0) o.put(digits[--nd]);
    if (sp.left) o.fill(' ', pad);
}

// The integer argument of a size: its value widened, and whether it is
// negative when read as signed.
void integer(va_list &ap, Size size, bool sign, bool &negative, uint64_t &v) {
    int64_t s;
    switch (size) {
    case i64:
        s = va_arg(ap, long long);
        v = (uint64_t)s;
        break;
    case iptr:
        s = (int64_t)va_arg(ap, intptr_t);
        v = (uint64_t)(uintptr_t)(intptr_t)s;
        break;
    default:
        s = va_arg(ap, int);
        v = (unsigned)s;
        break;
    }
    negative = sign && s < 0;
    if (negative) v = 0 - (uint64_t)s;
}

// Formats into o; a refused conversion ends the output.
void format(Out &o, const char *f, va_list &ap) {
    while (*f && o.n < wsprintfmax - 1) {
        if (*f != '%') {
            o.put(*f++);
            continue;
        }
        f++;
        if (*f == '%') {
            o.put(*f++);
            continue;
        }
        Field sp;
        if (*f == '-') sp.left = true, f++;
        if (*f == '#') sp.prefix = true, f++;
        if (*f == '0') sp.zero = true, f++;
        sp.width = field(f);
        if (*f == '.') {
            f++;
            sp.precision = field(f);
        }
        if (*f == 'l') {
            sp.size = lng;
            f++;
        } else if (*f == 'h') {
            sp.size = half;
            f++;
        } else if (*f == 'w') {
            sp.size = wide;
            f++;
        } else if (*f == 'I') {
            if (f[1] == '6' && f[2] == '4')
                sp.size = i64, f += 3;
            else if (f[1] == '3' && f[2] == '2')
                sp.size = i32, f += 3;
            else
                sp.size = iptr, f++;
        }
        // l and w name wide characters and strings; h, single-byte ones.
        const bool widetext = sp.size == lng || sp.size == wide;
        bool negative = false;
        uint64_t v = 0;
        switch (*f++) {
        case 'c':
        case 'C': {
            if (f[-1] == 'C' ? sp.size != half : widetext) return;
            const char c = (char)va_arg(ap, int);
            if (c == 0 && sp.size == half) break; // hc and hC leave out a zero
            padded(o, sp, &c, 1);
            break;
        }
        case 's':
        case 'S': {
            if (f[-1] == 'S' ? sp.size != half : widetext) return;
            const char *s = va_arg(ap, const char *);
            if (!s) s = "(null)";
            size_t n = 0;
            while (s[n] && (!sp.precision || n < sp.precision) && n < wsprintfmax) n++;
            padded(o, sp, s, n);
            break;
        }
        case 'd':
        case 'i':
            integer(ap, sp.size, true, negative, v);
            number(o, sp, negative, v, 10, false);
            break;
        case 'u':
            integer(ap, sp.size, false, negative, v);
            number(o, sp, false, v, 10, false);
            break;
        case 'x':
        case 'X':
            integer(ap, sp.size, false, negative, v);
            number(o, sp, false, v, 16, f[-1] == 'X');
            break;
        case 'p':
            sp.size = iptr;
            sp.zero = true;
            sp.width = 2 * sizeof(void *); // every digit of the pointer
            integer(ap, sp.size, false, negative, v);
            number(o, sp, false, v, 16, true);
            break;
        default: { // padded to the width, then read as plain text
            f--;
            const size_t w = width(o, sp);
            if (!sp.left) o.fill(' ', w > sp.precision ? w - sp.precision : 0);
            break;
        }
        }
    }
}

} // namespace

extern "C" int wsprintfA(LPSTR out, LPCSTR fmt, ...) {
    if (!out || !fmt) return 0;
    Out o{out};
    va_list ap;
    va_start(ap, fmt);
    format(o, fmt, ap);
    va_end(ap);
    out[o.n] = 0;
    return (int)o.n;
}
