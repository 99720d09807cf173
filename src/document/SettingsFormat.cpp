#include "document/SettingsFormat.h"

#include <array>
#include <cstdint>

#include "document/TextLines.h"

namespace lw {
namespace {

// The smallest entries the reader can meet: an empty text, a one-digit colour and
// the raw bytes, each with its line feed.
constexpr std::size_t kMinLineBytes = 1;
constexpr std::size_t kMinEntry2DBytes = 1 + 2 + 4;
constexpr std::size_t kMinEntry3DBytes = 1 + 2 + 2;

void WriteLines(LineWriter& writer, const std::vector<std::string>& lines) {
  writer.IntegerLine(static_cast<std::int32_t>(lines.size()));
  for (const std::string& line : lines) writer.Text(line);
}

bool ReadLines(LineReader& reader, std::vector<std::string>& lines) {
  std::int32_t count = 0;
  if (!reader.Count(count, kMinLineBytes)) return false;
  lines.assign(static_cast<std::size_t>(count), std::string());
  for (std::string& line : lines) {
    if (!reader.Text(line)) return false;
  }
  return true;
}

// The ten flags of the appearance window and the three of the build parameters,
// in file order.
template <class Doc>
auto FlagSlots(Doc& d) {
  auto& a = d.Appearance;
  auto& p = d.Params;
  return std::array{&a.ShowAxes,  &a.AxesOnTop,     &a.ShowBounds,      &a.ShowVariableNames,
                    &a.ShowUnits, &a.ShowGrid,      &a.ClearBackground, &a.Clear3D,
                    &a.Axes3D,    &a.AxisLetters3D, &p.Centering,       &p.AutoScale,
                    &p.XorDrawing};
}

// The item indexes of the four lists, then the eight spin values, in file order.
template <class Settings>
auto NumberSlots(Settings& a) {
  return std::array{&a.AxesLineStyle, &a.GridLineStyle, &a.DrawMode3D,    &a.MotionType,
                    &a.AxesLineWidth, &a.GridLineWidth, &a.SensitivityZ,  &a.SensitivityY,
                    &a.SensitivityX,  &a.SensitivityRX, &a.SensitivityRY, &a.SensitivityRZ};
}

void WriteAppearance(LineWriter& writer, const Document& d) {
  for (const bool* flag : FlagSlots(d)) writer.Flag(*flag);
  const AppearanceSettings& a = d.Appearance;
  writer.Colour(a.BackgroundColor);
  writer.Colour(a.MainColour3D);
  writer.Colour(a.AxesColor);
  writer.Colour(a.GridColor);
  WriteFont(writer, a.Font);
  for (const int* number : NumberSlots(a)) writer.IntegerLine(*number);
}

bool ReadColour(LineReader& reader, Colour& colour) {
  std::int32_t value = 0;
  if (!reader.IntegerLine(value)) return false;
  colour = static_cast<Colour>(value);
  return true;
}

bool ReadAppearance(LineReader& reader, Document& d) {
  for (bool* flag : FlagSlots(d)) {
    if (!reader.Flag(*flag)) return false;
  }
  AppearanceSettings& a = d.Appearance;
  if (!ReadColour(reader, a.BackgroundColor) || !ReadColour(reader, a.MainColour3D) ||
      !ReadColour(reader, a.AxesColor) || !ReadColour(reader, a.GridColor) ||
      !ReadFont(reader, a.Font)) {
    return false;
  }
  for (int* number : NumberSlots(a)) {
    std::int32_t value = 0;
    if (!reader.IntegerLine(value)) return false;
    *number = value;
  }
  return true;
}

void WriteGraphs(LineWriter& writer, const Document& d) {
  writer.IntegerLine(static_cast<std::int32_t>(d.Graphs2D.Count()));
  for (std::size_t i = 0; i < d.Graphs2D.Count(); ++i) {
    const PlotP& entry = d.Graphs2D.At(i);
    writer.Text(d.Graphs2D.Text(i));
    writer.Colour(entry.Color);
    writer.Byte(entry.Kind);
    writer.Byte(entry.Interpolated);
    writer.Byte(entry.Relation);
    writer.EndOfLine();
  }
  writer.EndOfLine();
  writer.IntegerLine(static_cast<std::int32_t>(d.Graphs3D.Count()));
  for (std::size_t i = 0; i < d.Graphs3D.Count(); ++i) {
    writer.Text(d.Graphs3D.Text(i));
    writer.Colour(d.Graphs3D.At(i).Color);
    writer.Byte(static_cast<std::uint8_t>(d.Graphs3D.At(i).Form));
    writer.EndOfLine();
  }
}

bool ReadGraphs2D(LineReader& reader, PlotList2D& list) {
  std::int32_t count = 0;
  if (!reader.Count(count, kMinEntry2DBytes)) return false;
  for (std::int32_t i = 0; i < count; ++i) {
    std::string text;
    PlotP entry;
    std::uint8_t interpolated = 0;
    if (!reader.Text(text) || !ReadColour(reader, entry.Color) || !reader.Byte(entry.Kind) ||
        !reader.Byte(interpolated) || !reader.Byte(entry.Relation) || !reader.EndOfLine()) {
      return false;
    }
    entry.Interpolated = interpolated != 0 ? 1 : 0;
    list.Append(std::move(text), entry);
  }
  return true;
}

// The empty separator line before the count is skipped as the white space before
// any number.
bool ReadGraphs3D(LineReader& reader, PlotList3D& list) {
  std::int32_t count = 0;
  if (!reader.Count(count, kMinEntry3DBytes)) return false;
  for (std::int32_t i = 0; i < count; ++i) {
    std::string text;
    PlotP3d entry;
    std::uint8_t form = 0;
    if (!reader.Text(text) || !ReadColour(reader, entry.Color) || !reader.Byte(form) ||
        !reader.EndOfLine()) {
      return false;
    }
    entry.Form = form;
    list.Append(std::move(text), entry);
  }
  return true;
}

bool ReadDocument(LineReader& reader, Document& d) {
  std::string magic;
  if (!reader.Text(magic) || !magic.starts_with(SettingsMagic)) return false;
  for (std::string& field : d.Params.fields) {
    if (!reader.Text(field)) return false;
  }
  return ReadLines(reader, d.Params.Constants2D) && ReadLines(reader, d.Params.Constants3D) &&
         ReadAppearance(reader, d) && ReadGraphs2D(reader, d.Graphs2D) &&
         ReadGraphs3D(reader, d.Graphs3D);
}

}  // namespace

SettingsEncodeResult EncodeSettings(const Document& document, std::string& bytes) {
  LineWriter writer;
  writer.Text(SettingsMagic);
  for (const std::string& field : document.Params.fields) writer.Text(field);
  WriteLines(writer, document.Params.Constants2D);
  WriteLines(writer, document.Params.Constants3D);
  WriteAppearance(writer, document);
  WriteGraphs(writer, document);
  if (writer.Failed()) return SettingsEncodeResult::TextNotStorable;
  bytes = std::move(writer.Bytes());
  return SettingsEncodeResult::Ok;
}

SettingsDecodeResult DecodeSettings(std::string_view bytes, Document& document) {
  Document loaded;
  LineReader reader(bytes);
  if (!ReadDocument(reader, loaded)) return SettingsDecodeResult::UnknownFormat;
  document = std::move(loaded);
  return SettingsDecodeResult::Ok;
}

}  // namespace lw
