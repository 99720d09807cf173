// The settings and options files keep their texts in code page 1251; the program
// keeps them as UTF-8. These two functions are the only crossing between the two.
#pragma once

#include <string>
#include <string_view>

namespace lw {

// Appends the code page 1251 form of utf8 to out. Returns false, leaving out with
// only part of the text, when utf8 is not valid UTF-8 or holds a character the
// code page has no byte for: such a text cannot be stored, and cutting it down or
// replacing characters would change it behind the user's back.
bool Utf8ToCp1251(std::string_view utf8, std::string& out);

// Appends the UTF-8 form of the code page 1251 bytes to out. Every byte has a
// character (the one unassigned byte 0x98 maps to U+0098), so the way back through
// Utf8ToCp1251 gives the same bytes.
void Cp1251ToUtf8(std::string_view bytes, std::string& out);

// True when the text can be written as one line of a settings or options file:
// representable in code page 1251, at most MaxStoredTextBytes bytes there, without
// a line feed and not ending in a CR.
inline constexpr std::size_t MaxStoredTextBytes = 998;
bool IsStorableText(std::string_view utf8);

}  // namespace lw
