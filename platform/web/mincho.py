#!/usr/bin/python3
"""mincho.py IN.ttf OUTDIR: the Mincho face a page's site carries, in pieces a
page fetches the first time it draws a character of theirs. IPA Mincho (IN)
cut to the characters code page 932 can encode, with its hinting kept (the
monochrome glyphs stay those of the whole face) and what a renderer of
horizontal text never reads dropped, then cut again by code:

  single.ttf   the single-byte characters (ASCII, half-width katakana); its
               metrics size every font
  LLTT.ttf     the double-byte characters of codes LLTT to LLTT + 15 (lead
               byte LL, trail bytes from TT, TT a multiple of 16), for every
               such block with a glyph in it

Every piece is a whole font of its own with the same metrics and hinting
programs. The IPA Font License forbids the original's name on a changed font:
the pieces are named "dg Mincho CP932"."""
import os
import sys
from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = 'dg Mincho CP932'
BLOCK = 16  # double-byte codes a piece


def decode(code):
    """The character of a CP932 code (1 or 2 bytes) as the runtime decodes
    it, or None; the private-use area, which IPA Mincho has no glyphs for,
    counts as none."""
    try:
        b = bytes([code]) if code < 0x100 else bytes([code >> 8, code & 0xFF])
        c = b.decode('cp932')
    except UnicodeDecodeError:
        return None
    if len(c) != 1 or 0xE000 <= ord(c) <= 0xF8FF:
        return None
    return ord(c)


def pieces():
    """{name: code points} for every piece."""
    out = {'single': [decode(b) for b in list(range(0x20, 0x7F)) + list(range(0xA1, 0xE0))]}
    for lead in list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)):
        for start in range(0x40, 0xFD, BLOCK):
            chars = [decode(lead << 8 | t) for t in range(start, min(start + BLOCK, 0xFD)) if t != 0x7F]
            out['%02X%02X' % (lead, start)] = chars
    return {name: sorted(set(c for c in chars if c is not None)) for name, chars in out.items()}


def cut(src, chars, dst):
    opts = subset.Options()
    opts.layout_features = []  # one glyph per character
    opts.drop_tables += ['vhea', 'vmtx', 'GSUB', 'GPOS', 'GDEF']
    opts.name_IDs = [0, 1, 2, 3, 4, 5, 6]
    opts.name_languages = [0x409, 0x411]
    opts.hinting = True
    opts.glyph_names = False
    opts.notdef_outline = True
    font = TTFont(src)
    s = subset.Subsetter(opts)
    s.populate(unicodes=chars)
    s.subset(font)
    for rec in font['name'].names:
        if rec.nameID in (1, 4):
            rec.string = FAMILY
        elif rec.nameID == 3:
            rec.string = FAMILY + ' subset'
        elif rec.nameID == 6:
            rec.string = FAMILY.replace(' ', '')
    font.save(dst)


def main():
    src, outdir = sys.argv[1], sys.argv[2]
    os.makedirs(outdir, exist_ok=True)
    cmap = TTFont(src).getBestCmap()
    for name, chars in pieces().items():
        chars = [c for c in chars if c in cmap]
        if chars:
            cut(src, chars, os.path.join(outdir, name + '.ttf'))


main()
