#include "document/Cp1251.h"

#include <array>
#include <cstdint>

namespace lw {
namespace {

// Characters of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kHighHalf{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char32_t CharacterOf(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  return kHighHalf[byte - 0x80];
}

// The byte of a character, or -1 when the code page has none.
int ByteOf(char32_t c) {
  if (c < 0x80) return static_cast<int>(c);
  if (c >= 0x0410 && c <= 0x044F) return static_cast<int>(c - 0x0410 + 0xC0);
  for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
    if (kHighHalf[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Decodes one UTF-8 sequence at text[i], advancing i; false on a malformed one.
bool NextCharacter(std::string_view text, std::size_t& i, char32_t& c) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  int extra = 0;
  if (lead < 0x80) {
    c = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    c = lead & 0x1F;
    extra = 1;
  } else if ((lead & 0xF0) == 0xE0) {
    c = lead & 0x0F;
    extra = 2;
  } else if ((lead & 0xF8) == 0xF0) {
    c = lead & 0x07;
    extra = 3;
  } else {
    return false;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size()) return false;
    const auto next = static_cast<unsigned char>(text[i++]);
    if ((next & 0xC0) != 0x80) return false;
    c = (c << 6) | (next & 0x3F);
  }
  // Overlong forms would let one character hide behind several spellings.
  static constexpr std::array<char32_t, 4> kSmallest{0, 0x80, 0x800, 0x10000};
  return c >= kSmallest[static_cast<std::size_t>(extra)] && c <= 0x10FFFF;
}

}  // namespace

bool Utf8ToCp1251(std::string_view utf8, std::string& out) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    char32_t c = 0;
    if (!NextCharacter(utf8, i, c)) return false;
    const int byte = ByteOf(c);
    if (byte < 0) return false;
    out.push_back(static_cast<char>(byte));
  }
  return true;
}

void Cp1251ToUtf8(std::string_view bytes, std::string& out) {
  for (const char b : bytes) AppendUtf8(CharacterOf(static_cast<unsigned char>(b)), out);
}

bool IsStorableText(std::string_view utf8) {
  // A CR that ends a line would be taken for half of a CR LF line end when read.
  if (utf8.find('\n') != std::string_view::npos || utf8.ends_with('\r')) return false;
  std::string bytes;
  return Utf8ToCp1251(utf8, bytes) && bytes.size() <= MaxStoredTextBytes;
}

}  // namespace lw
