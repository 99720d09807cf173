// Reading and writing the line-oriented code page 1251 files of the program (the
// settings file and the options file): texts, decimal integers, flag characters
// and raw bytes, each item ended by a line feed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/Appearance.h"
#include "document/GraphLists.h"

namespace lw {

// Every read returns false when the bytes do not hold what was asked for (the data
// ended, a number is malformed or out of range, a line is too long); the caller
// then rejects the whole file.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

  // The rest of the current line (at most MaxStoredTextBytes bytes), converted to
  // UTF-8; the line feed that ends it is consumed. CRs before it are dropped.
  bool Text(std::string& utf8);
  // White space (line feeds included) is skipped, then an optionally signed decimal
  // integer that fits 32 bits is taken; the line feed after it is left.
  bool Integer(std::int32_t& value);
  // Integer followed by the end of its line.
  bool IntegerLine(std::int32_t& value);
  // A count of items that still have to follow, each at least minBytes long.
  bool Count(std::int32_t& value, std::size_t minBytes);
  // The next byte, whatever it is.
  bool Byte(std::uint8_t& value);
  // A flag character: '1' is on, any other byte but a line break is off.
  bool Flag(bool& value);
  // An optional CR, then a line feed.
  bool EndOfLine();

  bool AtEnd() const { return pos_ >= bytes_.size(); }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// Builds the bytes of a file. A text that cannot be stored (see IsStorableText)
// marks the writer failed; the caller then writes nothing at all.
class LineWriter {
 public:
  void Text(std::string_view utf8);
  void Integer(std::int32_t value);
  void IntegerLine(std::int32_t value);
  void Colour(lw::Colour value) { IntegerLine(static_cast<std::int32_t>(value)); }
  void Byte(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
  void Flag(bool value) { bytes_.push_back(value ? '1' : '0'); }
  void EndOfLine() { bytes_.push_back('\n'); }

  bool Failed() const { return failed_; }
  std::string& Bytes() { return bytes_; }

 private:
  std::string bytes_;
  bool failed_ = false;
};

// The seven items of a font: character set byte, colour, height, face name, pitch,
// size and the four style flags.
bool ReadFont(LineReader& reader, LabelFont& font);
void WriteFont(LineWriter& writer, const LabelFont& font);

}  // namespace lw
