#!/usr/bin/env python3
"""cp932.py [--from-cp932] IN OUT: IN (C or C++, UTF-8, or code page 932 with
--from-cp932) as UTF-8 with its plain string and character literals in code
page 932, for compilers that cannot change the execution character set
(clang, and so Emscripten, has UTF-8 only; GCC's -fexec-charset=CP932 does
the same work, and -finput-charset=CP932 the decoding).

Every non-ASCII character inside a plain literal ("..." or '...', not u8, u, U,
L or raw ones) becomes its CP932 bytes as three-digit octal escapes, which
never run into the text after them (a trail byte 0x5C is no backslash). All
else stays as it is; a #line keeps the compiler's messages on IN's lines. A
character CP932 has no code for is an error, as it is for GCC."""
import sys

IDENT = set('abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_')


def escape(ch, where):
    if ord(ch) < 0x80:
        return ch
    try:
        b = ch.encode('cp932')
    except UnicodeEncodeError:
        sys.exit('%s: U+%04X has no code in CP932' % (where, ord(ch)))
    return ''.join('\\%03o' % c for c in b)


def convert(src, name):
    out = []
    i, n, line = 0, len(src), 1
    while i < n:
        c = src[i]
        if src.startswith('//', i):
            j = src.find('\n', i)
            j = n if j < 0 else j
        elif src.startswith('/*', i):
            j = src.find('*/', i + 2)
            j = n if j < 0 else j + 2
        elif c in '"\'':
            # The word just before the quote: a prefix, or a number with
            # digit separators (1'000), or nothing.
            k = i
            while k > 0 and src[k - 1] in IDENT:
                k -= 1
            word = src[k:i]
            if c == "'" and word[:1].isdigit():
                out.append(c)
                i += 1
                continue
            if word.endswith('R'):  # raw string: copied as it is
                close = ')' + src[i + 1:src.index('(', i)] + '"'
                j = src.index(close, i) + len(close)
            else:
                j = i + 1
                while j < n and src[j] != c and src[j] != '\n':
                    j += 2 if src[j] == '\\' else 1
                j += 1
                if word not in ('u8', 'u', 'U', 'L'):
                    body = src[i:j]
                    out.append(''.join(escape(ch, '%s:%d' % (name, line)) for ch in body))
                    line += body.count('\n')
                    i = j
                    continue
        else:
            j = i + 1
        piece = src[i:j]
        out.append(piece)
        line += piece.count('\n')
        i = j
    return ''.join(out)


def main():
    args = sys.argv[1:]
    encoding = 'utf-8'
    if args[:1] == ['--from-cp932']:
        encoding = 'cp932'
        args = args[1:]
    src_path, out_path = args
    try:
        with open(src_path, encoding=encoding) as f:
            src = f.read()
    except UnicodeDecodeError as e:
        sys.exit('%s: byte %d is no %s text (0x%02X)' % (src_path, e.start, encoding.upper(),
                                                        e.object[e.start]))
    text = '#line 1 "%s"\n' % src_path.replace('\\', '/') + convert(src, src_path)
    with open(out_path, 'w', encoding='utf-8') as f:
        f.write(text)


main()
