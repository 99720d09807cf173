#include "document/OptionsFile.h"

#include <cstdint>

#include "document/Cp1251.h"
#include "document/FileIo.h"
#include "document/TextLines.h"

namespace lw {
namespace {

// Nothing legitimate comes near this; a bigger file is not an options file.
constexpr std::size_t kMaxOptionsBytes = 1u << 20;

bool ReadPlacement(LineReader& reader, Options& o) {
  std::int32_t left = 0, width = 0, top = 0, height = 0;
  if (!reader.IntegerLine(left) || !reader.IntegerLine(width) || !reader.IntegerLine(top) ||
      !reader.IntegerLine(height)) {
    return false;
  }
  o.Left = left;
  o.Width = width;
  o.Top = top;
  o.Height = height;
  return true;
}

// The thirteen switches. Each keeps the sense of its own control: most are on
// unless a '0' turns them off; the tool panel and status bar are off unless a '1'
// turns them on.
bool ReadSwitches(LineReader& reader, Options& o) {
  std::array<std::uint8_t, 13> c{};
  for (std::uint8_t& flag : c) {
    if (!reader.Byte(flag) || flag == '\n' || flag == '\r') return false;
  }
  o.NormalState = c[0] == '1';
  for (std::size_t i = 0; i < o.ScanOptions.size(); ++i) o.ScanOptions[i] = c[1 + i] != '0';
  o.AskToSave = c[8] != '0';
  o.ShowToolPanel = c[9] == '1';
  o.ShowHints = c[10] != '0';
  o.ShowStatusBar = c[11] == '1';
  o.CalculatorClearInput = c[12] != '0';
  return reader.EndOfLine();
}

std::string_view StorableOr(const std::string& text, std::string_view fallback) {
  return IsStorableText(text) ? std::string_view(text) : fallback;
}

}  // namespace

bool DecodeOptions(std::string_view bytes, Options& options) {
  Options read;
  LineReader reader(bytes);
  std::int32_t colour = 0;
  if (!ReadPlacement(reader, read) || !ReadSwitches(reader, read) ||
      !reader.Text(read.DocumentPath) || !reader.IntegerLine(colour) ||
      !ReadFont(reader, read.NotepadFont) || !reader.Text(read.NotepadFile)) {
    return false;
  }
  // The zero byte that ends the file is not needed to read it.
  read.NotepadColour = static_cast<Colour>(colour);
  options = std::move(read);
  return true;
}

std::string EncodeOptions(const Options& o) {
  LineWriter writer;
  writer.IntegerLine(o.Left);
  writer.IntegerLine(o.Width);
  writer.IntegerLine(o.Top);
  writer.IntegerLine(o.Height);
  writer.Flag(o.NormalState);
  for (const bool flag : o.ScanOptions) writer.Flag(flag);
  for (const bool flag :
       {o.AskToSave, o.ShowToolPanel, o.ShowHints, o.ShowStatusBar, o.CalculatorClearInput}) {
    writer.Flag(flag);
  }
  writer.EndOfLine();
  writer.Text(StorableOr(o.DocumentPath, ""));
  writer.Colour(o.NotepadColour);
  LabelFont font = o.NotepadFont;
  font.FaceName = StorableOr(font.FaceName, LabelFont{}.FaceName);
  WriteFont(writer, font);
  writer.Text(StorableOr(o.NotepadFile, ""));
  writer.Byte(0);
  return std::move(writer.Bytes());
}

Options ReadOptionsFile(const std::string& path) {
  Options options;
  std::string bytes;
  if (ReadFileBytes(path, bytes, kMaxOptionsBytes)) DecodeOptions(bytes, options);
  return options;
}

void WriteOptionsFile(const std::string& path, const Options& options) {
  WriteFileAtomically(path, EncodeOptions(options));
}

std::string StartupDocumentPath(const Options& options, std::span<const std::string> arguments) {
  return arguments.empty() ? options.DocumentPath : arguments.back();
}

}  // namespace lw
