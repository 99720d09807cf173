// linewright-cli show FILE.lwf: the whole document in readable form.
#include <array>
#include <cstdio>
#include <ostream>
#include <string>

#include "app/StatusTexts.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "document/GraphListEditor.h"
#include "document/SettingsFile.h"

namespace lw::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: linewright-cli show FILE.lwf\n"
    "Prints the document: the 25 build parameters, the constants, the flags, the\n"
    "appearance (colours as 0x00BBGGRR) and both graph lists.\n";

struct FieldLabel {
  const char* name;
  const char* group;
  const char* label;
};

// The edit fields in file order with their group and label in the parameters window.
constexpr std::array<FieldLabel, ParamFieldCount> kFields{{
    {"ScaleX", "2D Маштаб", "Вісь  Х :"},
    {"ScaleY", "2D Маштаб", "Вісь  Y :"},
    {"XStart", "2D Межі", "Початковий  X :"},
    {"XEnd", "2D Межі", "Кінцевий  X :"},
    {"YStart", "2D Межі", "Початковий Y :"},
    {"YEnd", "2D Межі", "Кінцевий  Y :"},
    {"VarX", "2D Змінні", "Використати як  X  :"},
    {"VarY", "2D Змінні", "Використати як  Y :"},
    {"XStart3D", "3D Межі", "Поч.  X :"},
    {"Proxima", "2D Додатково", "Апроксимація :"},
    {"XEnd3D", "3D Межі", "Кін.  X :"},
    {"Gradient", "2D Гамма кольорів", "Градіент :"},
    {"YStart3D", "3D Межі", "Поч. Y :"},
    {"YEnd3D", "3D Межі", "Кін. Y :"},
    {"VarX3D", "3D Змінні", "Як  X  :"},
    {"VarY3D", "3D Змінні", "Як  Y :"},
    {"StepX", "3D Крок", "По вісі  Х :"},
    {"StepY", "3D Крок", "По вісі  Y :"},
    {"VarZ3D", "3D Змінні", "Як  Z :"},
    {"PosX", "3D Початкове положення", "X  :"},
    {"PosY", "3D Початкове положення", "Y :"},
    {"PosZ", "3D Початкове положення", "Z :"},
    {"ZStart3D", "3D Межі", "Поч. Z :"},
    {"ZEnd3D", "3D Межі", "Кін. Z :"},
    {"StepZ", "3D Крок", "По вісі  Z :"},
}};

std::string Hex(Colour colour) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(colour));
  return text;
}

template <std::size_t N>
std::string Named(int index, const std::array<const char*, N>& names) {
  if (index >= 0 && static_cast<std::size_t>(index) < N) return names[index];
  return "item " + std::to_string(index);
}

std::string LineStyle(int style) {
  return Named(style, std::array{"solid", "dash", "dot", "dash-dot", "dash-dot-dot"});
}

void ShowParameters(const BuildParameters& p, std::ostream& out) {
  out << "Build parameters:\n";
  for (int i = 0; i < ParamFieldCount; ++i) {
    const FieldLabel& f = kFields[static_cast<std::size_t>(i)];
    out << "  Edit" << i + 1 << ' ' << f.name << " (" << f.group << ", " << f.label
        << ") = " << p.fields[static_cast<std::size_t>(i)] << '\n';
  }
  for (const auto* list : {&p.Constants2D, &p.Constants3D}) {
    out << (list == &p.Constants2D ? "Constants 2D" : "Constants 3D") << " (" << list->size()
        << "):\n";
    for (const std::string& line : *list) out << "  " << line << '\n';
  }
  out << "Centering " << p.Centering << ", AutoScale " << p.AutoScale << ", XorDrawing "
      << p.XorDrawing << '\n';
}

void ShowFont(const LabelFont& f, std::ostream& out) {
  out << "  Font: " << f.FaceName << ", height " << f.Height << ", size " << f.Size << ", pitch "
      << f.Pitch << ", charset " << int{f.Charset} << ", colour " << Hex(f.Color) << ", bold "
      << f.Bold << ", italic " << f.Italic << ", underline " << f.Underline << ", strike-out "
      << f.StrikeOut << '\n';
}

void ShowAppearance(const AppearanceSettings& a, std::ostream& out) {
  out << "Appearance 2D:\n"
      << "  ShowAxes " << a.ShowAxes << ", AxesOnTop " << a.AxesOnTop << ", ShowBounds "
      << a.ShowBounds << ", ShowVariableNames " << a.ShowVariableNames << ", ShowUnits "
      << a.ShowUnits << ", ShowGrid " << a.ShowGrid << ", ClearBackground " << a.ClearBackground
      << '\n'
      << "  Colours: background " << Hex(a.BackgroundColor) << ", axes " << Hex(a.AxesColor)
      << ", grid " << Hex(a.GridColor) << '\n'
      << "  Axes line: " << LineStyle(a.AxesLineStyle) << ", width " << a.AxesLineWidth << '\n'
      << "  Grid line: " << LineStyle(a.GridLineStyle) << ", width " << a.GridLineWidth << '\n';
  ShowFont(a.Font, out);
  out << "Appearance 3D:\n"
      << "  Clear " << a.Clear3D << ", Axes " << a.Axes3D << ", AxisLetters " << a.AxisLetters3D
      << ", main colour " << Hex(a.MainColour3D) << '\n'
      << "  Drawing: " << Named(a.DrawMode3D, std::array{"points", "lines", "polygons"})
      << ", motion: " << Named(a.MotionType, std::array{"turn", "move"}) << '\n'
      << "  Mouse sensitivity: X " << a.SensitivityX << ", Y " << a.SensitivityY << ", Z "
      << a.SensitivityZ << ", rX " << a.SensitivityRX << ", rY " << a.SensitivityRY << ", rZ "
      << a.SensitivityRZ << '\n';
}

void ShowGraphs(const Document& d, std::ostream& out) {
  out << "2D graphs (" << d.Graphs2D.Count() << "):\n";
  for (std::size_t i = 0; i < d.Graphs2D.Count(); ++i) {
    const PlotP& e = d.Graphs2D.At(i);
    out << "  " << i + 1 << ". " << d.Graphs2D.Text(i) << "  ["
        << DescribeEntry(e, d.Graphs2D.Text(i)) << "] kind " << int{e.Kind} << ", interpolated "
        << int{e.Interpolated} << ", relation " << int{e.Relation} << ", colour " << Hex(e.Color)
        << '\n';
  }
  out << "3D graphs (" << d.Graphs3D.Count() << "):\n";
  for (std::size_t i = 0; i < d.Graphs3D.Count(); ++i) {
    const PlotP3d& e = d.Graphs3D.At(i);
    out << "  " << i + 1 << ". " << d.Graphs3D.Text(i) << "  ["
        << DescribeEntry(e, d.Graphs3D.Text(i)) << "] form " << (e.Form & 0xFF) << ", colour "
        << Hex(e.Color) << '\n';
  }
}

void PrintShowUsage(std::ostream& out) {
  out << kUsage;
}

}  // namespace

int RunShow(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  std::string path;
  CommandParser parser("show", PrintShowUsage);
  parser.App().add_option("document", path);
  if (const std::optional<int> exit = parser.Parse(args, out, err)) return *exit;
  if (path.empty()) return parser.Refuse("expected one document file", err);
  Document document;
  const FileResult result = LoadSettingsFile(path, document);
  if (result != FileResult::Ok) {
    err << SettingsLoadedText(path, result) << '\n';
    return ExitFailed;
  }
  out << "Document: " << path << '\n';
  ShowParameters(document.Params, out);
  ShowAppearance(document.Appearance, out);
  ShowGraphs(document, out);
  return ExitOk;
}

}  // namespace lw::cli
