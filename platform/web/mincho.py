#!/usr/bin/python3
"""mincho.py IN.ttf OUT.ttf: the Mincho face a page carries. IPA Mincho (IN)
cut to the characters code page 932 can encode, with its hinting kept (the
monochrome glyphs stay those of the whole face) and what a renderer of
horizontal text never reads dropped. The IPA Font License forbids the
original's name on a changed font: the result is named "dg Mincho CP932"."""
import sys
from fontTools import subset
from fontTools.ttLib import TTFont


def cp932_chars():
    """Every character CP932 encodes (as glibc's iconv decodes it), without
    the private-use area, which IPA Mincho has no glyphs for."""
    chars = set()
    for b in list(range(0x20, 0x7F)) + list(range(0xA1, 0xE0)):
        chars.add(bytes([b]).decode('cp932'))
    for lead in list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)):
        for trail in range(0x40, 0xFD):
            if trail == 0x7F:
                continue
            try:
                chars.add(bytes([lead, trail]).decode('cp932'))
            except UnicodeDecodeError:
                pass
    return sorted(ord(c) for c in chars if not 0xE000 <= ord(c) <= 0xF8FF)


def main():
    src, dst = sys.argv[1], sys.argv[2]
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
    s.populate(unicodes=cp932_chars())
    s.subset(font)
    family = 'dg Mincho CP932'
    for rec in font['name'].names:
        if rec.nameID in (1, 4):
            rec.string = family
        elif rec.nameID == 3:
            rec.string = family + ' subset'
        elif rec.nameID == 6:
            rec.string = family.replace(' ', '')
    font.save(dst)


main()
