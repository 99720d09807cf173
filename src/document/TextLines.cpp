#include "document/TextLines.h"

#include <charconv>
#include <limits>

#include "document/Cp1251.h"

namespace lw {

bool LineReader::Text(std::string& utf8) {
  const std::size_t end = bytes_.find('\n', pos_);
  if (end == std::string_view::npos) return false;
  std::string_view line = bytes_.substr(pos_, end - pos_);
  while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.size() > MaxStoredTextBytes) return false;
  pos_ = end + 1;
  utf8.clear();
  Cp1251ToUtf8(line, utf8);
  return true;
}

bool LineReader::Integer(std::int32_t& value) {
  while (pos_ < bytes_.size() &&
         (bytes_[pos_] == ' ' || bytes_[pos_] == '\t' || bytes_[pos_] == '\r' ||
          bytes_[pos_] == '\n' || bytes_[pos_] == '\v' || bytes_[pos_] == '\f')) {
    ++pos_;
  }
  std::size_t start = pos_;
  if (start < bytes_.size() && (bytes_[start] == '-' || bytes_[start] == '+')) ++start;
  std::size_t end = start;
  while (end < bytes_.size() && bytes_[end] >= '0' && bytes_[end] <= '9') ++end;
  if (end == start || end - start > 10) return false;
  std::int64_t magnitude = 0;
  std::from_chars(bytes_.data() + start, bytes_.data() + end, magnitude);
  const std::int64_t signedValue = bytes_[pos_] == '-' ? -magnitude : magnitude;
  if (signedValue < std::numeric_limits<std::int32_t>::min() ||
      signedValue > std::numeric_limits<std::int32_t>::max()) {
    return false;
  }
  value = static_cast<std::int32_t>(signedValue);
  pos_ = end;
  return true;
}

bool LineReader::IntegerLine(std::int32_t& value) {
  return Integer(value) && EndOfLine();
}

bool LineReader::Count(std::int32_t& value, std::size_t minBytes) {
  if (!IntegerLine(value) || value < 0) return false;
  return static_cast<std::size_t>(value) <= (bytes_.size() - pos_) / minBytes;
}

bool LineReader::Byte(std::uint8_t& value) {
  if (pos_ >= bytes_.size()) return false;
  value = static_cast<std::uint8_t>(bytes_[pos_++]);
  return true;
}

bool LineReader::Flag(bool& value) {
  std::uint8_t c = 0;
  if (!Byte(c) || c == '\n' || c == '\r') return false;
  value = c == '1';
  return true;
}

bool LineReader::EndOfLine() {
  if (pos_ < bytes_.size() && bytes_[pos_] == '\r') ++pos_;
  if (pos_ >= bytes_.size() || bytes_[pos_] != '\n') return false;
  ++pos_;
  return true;
}

void LineWriter::Text(std::string_view utf8) {
  if (IsStorableText(utf8)) {
    Utf8ToCp1251(utf8, bytes_);
  } else {
    failed_ = true;
  }
  EndOfLine();
}

void LineWriter::Integer(std::int32_t value) {
  bytes_ += std::to_string(value);
}

void LineWriter::IntegerLine(std::int32_t value) {
  Integer(value);
  EndOfLine();
}

bool ReadFont(LineReader& reader, LabelFont& font) {
  std::int32_t colour = 0;
  if (!reader.Byte(font.Charset) || !reader.EndOfLine() || !reader.IntegerLine(colour) ||
      !reader.IntegerLine(font.Height) || !reader.Text(font.FaceName) ||
      !reader.IntegerLine(font.Pitch) || !reader.IntegerLine(font.Size)) {
    return false;
  }
  font.Color = static_cast<Colour>(colour);
  return reader.Flag(font.Bold) && reader.Flag(font.Italic) && reader.Flag(font.Underline) &&
         reader.Flag(font.StrikeOut) && reader.EndOfLine();
}

void WriteFont(LineWriter& writer, const LabelFont& font) {
  writer.Byte(font.Charset);
  writer.EndOfLine();
  writer.Colour(font.Color);
  writer.IntegerLine(font.Height);
  writer.Text(font.FaceName);
  writer.IntegerLine(font.Pitch);
  writer.IntegerLine(font.Size);
  writer.Flag(font.Bold);
  writer.Flag(font.Italic);
  writer.Flag(font.Underline);
  writer.Flag(font.StrikeOut);
  writer.EndOfLine();
}

}  // namespace lw
