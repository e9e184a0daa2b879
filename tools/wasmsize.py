#!/usr/bin/env python3
"""What a page's program is made of: the bytes of each function body of a
.wasm linked with --profiling-funcs (its names kept), summed by the static
library that defines the function, and the data.

  tools/wasmsize.py PROGRAM.wasm NAME=LIBRARY.a... [NAME=OBJECT-DIR...]

Each NAME=PATH is a part: a static library (llvm-nm names what it defines)
or a folder of object files. A function no part defines is counted as
"the rest" (the program's own objects, Emscripten's glue). Prints a table
in Markdown: part, code bytes, share of the code."""
import os
import subprocess
import sys


def leb(b, i):
    v = shift = 0
    while True:
        c = b[i]
        i += 1
        v |= (c & 0x7F) << shift
        shift += 7
        if c < 0x80:
            return v, i


def sections(b):
    if b[:4] != b'\0asm':
        sys.exit('not a WebAssembly module')
    i = 8
    while i < len(b):
        sid = b[i]
        size, i = leb(b, i + 1)
        yield sid, b[i:i + size]
        i += size


def name_of(data):
    n, i = leb(data, 0)
    return data[i:i + n].decode('utf-8', 'replace'), i + n


def module(path):
    b = open(path, 'rb').read()
    imported = 0
    bodies = []
    names = {}
    datasize = 0
    for sid, s in sections(b):
        if sid == 2:  # imports: functions among them come first in the index space
            count, i = leb(s, 0)
            for _ in range(count):
                for _ in range(2):
                    n, i = leb(s, i)
                    i += n
                kind = s[i]
                i += 1
                if kind == 0:
                    imported += 1
                    _, i = leb(s, i)
                elif kind == 1:
                    i += 1
                    flags, i = leb(s, i)
                    _, i = leb(s, i)
                    if flags & 1:
                        _, i = leb(s, i)
                elif kind == 2:
                    flags, i = leb(s, i)
                    _, i = leb(s, i)
                    if flags & 1:
                        _, i = leb(s, i)
                else:
                    i += 2
        elif sid == 10:
            count, i = leb(s, 0)
            for _ in range(count):
                size, j = leb(s, i)
                bodies.append(j - i + size)
                i = j + size
        elif sid == 11:
            datasize = len(s)
        elif sid == 0:
            title, i = name_of(s)
            if title != 'name':
                continue
            while i < len(s):
                sub = s[i]
                size, i = leb(s, i + 1)
                end = i + size
                if sub == 1:
                    count, j = leb(s, i)
                    for _ in range(count):
                        index, j = leb(s, j)
                        n, j = leb(s, j)
                        names[index] = s[j:j + n].decode('utf-8', 'replace')
                        j += n
                i = end
    return [(names.get(imported + k, ''), size) for k, size in enumerate(bodies)], datasize


def defined(path):
    files = [path]
    if os.path.isdir(path):
        files = [os.path.join(d, f) for d, _, fs in os.walk(path) for f in fs if f.endswith('.o')]
    out = subprocess.run(['llvm-nm', '-C', '--defined-only', '--just-symbol-name'] + files,
                         capture_output=True, text=True).stdout
    return {l.strip() for l in out.splitlines() if l.strip() and not l.endswith(':')}


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    funcs, datasize = module(sys.argv[1])
    parts = []
    for arg in sys.argv[2:]:
        name, _, path = arg.partition('=')
        parts.append((name, defined(path)))
    sums = {name: 0 for name, _ in parts}
    rest = 0
    for fname, size in funcs:
        # A C++ name in the name section carries its parameters; nm's too.
        for name, syms in parts:
            if fname in syms or fname.split('(')[0] in syms:
                sums[name] += size
                break
        else:
            rest += size
    code = sum(size for _, size in funcs)
    print('| part | code bytes | share |')
    print('|---|---|---|')
    for name, _ in parts:
        print(f'| {name} | {sums[name]:,} | {100 * sums[name] / code:.1f} % |')
    print(f'| the rest (the program, Emscripten\'s glue) | {rest:,} | {100 * rest / code:.1f} % |')
    print(f'| **code** | **{code:,}** | |')
    print(f'| data | {datasize:,} | |')


main()
