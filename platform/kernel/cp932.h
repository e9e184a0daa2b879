// Code page 932 (Shift_JIS as Windows has it) for the parts of platform/ that
// hand text to libraries speaking UTF-8 or UTF-32.
#pragma once

#include "leadbyte.h"

#include <cstddef>
#include <string>

namespace dgp {

// The UTF-8 form of a NUL-terminated CP932 string (none gives ""). A byte
// that is no CP932 character becomes U+FFFD.
std::string utf8(const char *cp932);
// The same for the first len bytes of s.
std::string utf8(const char *s, size_t len);

// How many bytes the character at s takes: 2 for a lead byte followed by a
// valid trail byte, else 1 (a lone or invalid byte is a character of its own).
// Reads s[1] only when s[0] is a lead byte, and never past a NUL.
int charlen(const unsigned char *s);
// The same within the first len bytes: never reads s[len] or beyond.
int charlen(const unsigned char *s, size_t len);

// The Unicode code point of one character of n (1 or 2) bytes, or 0xFFFD
// when the bytes are no CP932 character.
char32_t codepoint(const unsigned char *s, int n);

} // namespace dgp
