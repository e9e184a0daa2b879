// Code page 932 (Shift_JIS as Windows has it): which bytes start a
// double-byte character and which may follow one. The runtime cuts texts on
// character boundaries with these; platform/ decodes with the same ranges.
#pragma once

// A lead byte: 0x81-0x9F or 0xE0-0xFC.
inline bool cp932_lead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
// A trail byte: 0x40-0xFC except 0x7F.
inline bool cp932_trail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
