#!/usr/bin/python3
"""cp932_table.py OUT.h: the double-byte characters of code page 932 as a C++
table, from Python's cp932 codec, which decodes every lead and trail byte pair
(lead 81-9F, E0-FC; trail 40-FC but 7F) as glibc's iconv "CP932" does; the
suite checks the table against iconv natively. Single bytes go by rule
(codepoint_web.cpp)."""
import sys

LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
rows = []
for lead in LEADS:
    row = []
    for trail in range(0x40, 0xFD):
        try:
            s = bytes([lead, trail]).decode('cp932') if trail != 0x7F else ''
        except UnicodeDecodeError:
            s = ''
        assert len(s) <= 1 and (not s or ord(s) <= 0xFFFF)
        row.append(ord(s) if s else 0)
    rows.append(row)

out = ['// Made by cp932_table.py from Python\'s cp932 codec; do not edit.',
       '// CP932 double-byte characters: cp932_dbcs[row][trail - 0x40], row 0-30 for',
       '// lead bytes 0x81-0x9F and 31-59 for 0xE0-0xFC; 0 where there is no character.',
       '#pragma once', '#include <cstdint>', '', 'namespace dgp {', '',
       '// clang-format off', 'inline constexpr uint16_t cp932_dbcs[%d][%d] = {' % (len(rows), 0xFD - 0x40)]
for lead, row in zip(LEADS, rows):
    out.append('    {// %02X' % lead)
    for i in range(0, len(row), 12):
        out.append('     ' + ''.join('0x%04X,' % v for v in row[i:i + 12]))
    out.append('    },')
out += ['};', '// clang-format on', '',
        '// The code point of a lead and a trail byte (cp932_lead, cp932_trail), or 0.',
        'inline char32_t cp932_char(unsigned char lead, unsigned char trail) {',
        '    return cp932_dbcs[lead >= 0xE0 ? lead - 0xE0 + 31 : lead - 0x81][trail - 0x40];',
        '}', '', '} // namespace dgp', '']
with open(sys.argv[1], 'w') as f:
    f.write('\n'.join(out))
