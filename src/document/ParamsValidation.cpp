// Evaluating the build parameters before a build: every numeric field is a formula
// evaluated as a constant expression; the first bad field is reported and stops
// the build.
#include <cmath>
#include <string_view>
#include <utility>

#include "document/BuildParameters.h"
#include "document/Feedback.h"
#include "formula/FormulaParser.h"

namespace lw {
namespace {

// The field's text is evaluated on a copy, so the field keeps what the user typed.
// A text that normalises to nothing, or a value that overflowed to infinity, is as
// bad as a syntax error: no build could use it.
bool EvaluateField(FormulaParser& parser, const std::string& text, double& value) {
  std::string copy = text;
  value = parser.EvaluateNormalized(copy);
  return !parser.HasError() && !copy.empty() && std::isfinite(value);
}

// The same, stored as the float the 3D side works with.
bool EvaluateField(FormulaParser& parser, const std::string& text, float& value) {
  double wide = 0;
  const bool ok = EvaluateField(parser, text, wide);
  value = static_cast<float>(wide);
  return ok && std::isfinite(value);
}

// The first ASCII letter of the text, upper-cased.
bool VariableLetter(const std::string& text, char& letter) {
  for (const char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
      letter = static_cast<char>(c & ~0x20);
      return true;
    }
  }
  return false;
}

bool Fail(StatusSink& status, std::string_view message) {
  status.SetStatus(std::string(message));
  return false;
}

template <class T>
void Order(T& start, T& end) {
  if (start > end) std::swap(start, end);
}

// Sampling walks an axis by adding the step again and again; a step too small to
// change the largest value on the axis would never reach the end.
bool StepAdvances(float step, float start, float end) {
  const float largest = std::max(std::fabs(start), std::fabs(end));
  return largest + step > largest;
}

void BindConstants(const std::vector<std::string>& lines, FormulaParser& parser) {
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    std::string copy = line;
    parser.EvaluateNormalized(copy);
  }
}

void ResetConstants(FormulaParser& parser) {
  parser.ClearVariables();
  parser.SetVariable("P", Pi);
  parser.SetVariable("E", EulerE);
}

const std::string& F(const BuildParameters& p, ParamField f) {
  return p.Field(f);
}

}  // namespace

bool ValidateParams2D(const BuildParameters& p, Params2D& v, FormulaParser& parser,
                      StatusSink& status) {
  using enum ParamField;
  if (!EvaluateField(parser, F(p, ScaleX), v.ScaleX) || v.ScaleX <= 0) {
    return Fail(status, "Помилка вводу маштабу вісі Х");
  }
  if (!EvaluateField(parser, F(p, ScaleY), v.ScaleY) || v.ScaleY <= 0) {
    return Fail(status, "Помилка вводу маштабу вісі Y");
  }
  if (!EvaluateField(parser, F(p, XStart), v.XStart)) {
    return Fail(status, "Помилка вводу інтервалу поч. X");
  }
  if (!EvaluateField(parser, F(p, XEnd), v.XEnd) || v.XEnd == v.XStart) {
    return Fail(status, "Помилка вводу інтервалу кін. X");
  }
  if (!EvaluateField(parser, F(p, YStart), v.YStart)) {
    return Fail(status, "Помилка вводу інтервалу поч. Y");
  }
  if (!EvaluateField(parser, F(p, YEnd), v.YEnd) || v.YEnd == v.YStart) {
    return Fail(status, "Помилка вводу інтервалу кін. Y");
  }
  Order(v.XStart, v.XEnd);
  Order(v.YStart, v.YEnd);
  if (!EvaluateField(parser, F(p, Proxima), v.Proxima)) {
    return Fail(status, "Помилка вводу Proxima");
  }
  if (!EvaluateField(parser, F(p, Gradient), v.Gradient) || v.Gradient == 0) {
    return Fail(status, "Помилка вводу градіенту кольорів");
  }
  if (!VariableLetter(F(p, VarX), v.VarX)) return Fail(status, "Помилка вводу змінної вісі Х");
  if (!VariableLetter(F(p, VarY), v.VarY)) return Fail(status, "Помилка вводу змінної вісі Y");
  return true;
}

void BindConstants2D(const BuildParameters& p, FormulaParser& explicitParser,
                     FormulaParser& poleParser) {
  ResetConstants(explicitParser);
  ResetConstants(poleParser);
  BindConstants(p.Constants2D, explicitParser);
  BindConstants(p.Constants2D, poleParser);
}

namespace {

struct FloatStep {
  ParamField field;
  float Params3D::*value;
  std::string_view message;
};

// The steps must be positive, the other values only need to evaluate.
constexpr FloatStep kSteps[] = {
    {ParamField::StepX, &Params3D::StepX, "Помилка вводу кроку вісі Х"},
    {ParamField::StepY, &Params3D::StepY, "Помилка вводу кроку вісі Y"},
    {ParamField::StepZ, &Params3D::StepZ, "Помилка вводу кроку вісі Z"},
};
constexpr FloatStep kBounds[] = {
    {ParamField::XStart3D, &Params3D::XStart3D, "Помилка вводу інтервалу поч. X"},
    {ParamField::XEnd3D, &Params3D::XEnd3D, "Помилка вводу інтервалу кін. X"},
    {ParamField::YStart3D, &Params3D::YStart3D, "Помилка вводу інтервалу поч. Y"},
    {ParamField::YEnd3D, &Params3D::YEnd3D, "Помилка вводу інтервалу кін. Y"},
    {ParamField::ZStart3D, &Params3D::ZStart3D, "Помилка вводу інтервалу поч. Z"},
    {ParamField::ZEnd3D, &Params3D::ZEnd3D, "Помилка вводу інтервалу кін. Z"},
};
constexpr FloatStep kPositions[] = {
    {ParamField::PosX, &Params3D::PosX, "Помилка вводу положення X"},
    {ParamField::PosY, &Params3D::PosY, "Помилка вводу положення Y"},
    {ParamField::PosZ, &Params3D::PosZ, "Помилка вводу положення Z"},
};
struct Letter {
  ParamField field;
  char Params3D::*value;
  std::string_view message;
};
constexpr Letter kLetters[] = {
    {ParamField::VarX3D, &Params3D::VarX3D, "Помилка вводу змінної вісі Х"},
    {ParamField::VarY3D, &Params3D::VarY3D, "Помилка вводу змінної вісі Y"},
    {ParamField::VarZ3D, &Params3D::VarZ3D, "Помилка вводу змінної вісі Z"},
};

template <std::size_t N>
bool EvaluateAll(const FloatStep (&items)[N], bool positive, const BuildParameters& p, Params3D& v,
                 FormulaParser& parser, StatusSink& status) {
  for (const FloatStep& item : items) {
    float& value = v.*item.value;
    if (!EvaluateField(parser, p.Field(item.field), value) || (positive && value <= 0)) {
      return Fail(status, item.message);
    }
  }
  return true;
}

}  // namespace

bool ValidateParams3D(const BuildParameters& p, Params3D& v, FormulaParser& parser,
                      StatusSink& status) {
  if (!EvaluateAll(kSteps, true, p, v, parser, status) ||
      !EvaluateAll(kBounds, false, p, v, parser, status)) {
    return false;
  }
  Order(v.XStart3D, v.XEnd3D);
  Order(v.YStart3D, v.YEnd3D);
  Order(v.ZStart3D, v.ZEnd3D);
  if (!StepAdvances(v.StepX, v.XStart3D, v.XEnd3D)) return Fail(status, kSteps[0].message);
  if (!StepAdvances(v.StepY, v.YStart3D, v.YEnd3D)) return Fail(status, kSteps[1].message);
  if (!StepAdvances(v.StepZ, v.ZStart3D, v.ZEnd3D)) return Fail(status, kSteps[2].message);
  if (!EvaluateAll(kPositions, false, p, v, parser, status)) return false;
  for (const Letter& item : kLetters) {
    if (!VariableLetter(p.Field(item.field), v.*item.value)) return Fail(status, item.message);
  }
  ResetConstants(parser);
  BindConstants(p.Constants3D, parser);
  return true;
}

}  // namespace lw
