#include "analysis/Scan3D.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis/ScanText.h"
#include "formula/FormulaParser.h"
#include "formula/NumberFormat.h"

namespace lw {
namespace {

constexpr std::array<ParamField, 3> kNameFields{ParamField::VarX3D, ParamField::VarY3D,
                                                ParamField::VarZ3D};

std::array<char, 3> Letters(const Params3D& validated) {
  return {validated.VarX3D, validated.VarY3D, validated.VarZ3D};
}

// The coordinate axis whose field a surface of this form is solved for.
std::size_t DependentAxis(std::uint32_t form) {
  switch (form & 0xFFu) {
    case YOfXZ:
      return 1;
    case XOfYZ:
      return 0;
    default:
      return 2;
  }
}

}  // namespace

Scan3DResult Refresh3DScan(const PlotList3D& graphs, const BuildParameters& parameters,
                           const Params3D& validated, FormulaParser& surfaceParser,
                           const Coordinates3D& coordinates, std::vector<ScanRow>& rows,
                           char decimalSeparator) {
  Scan3DResult result;
  std::array<std::optional<double>, 3> values;
  for (std::size_t i = 0; i < coordinates.size(); ++i) {
    if (coordinates[i].empty()) continue;
    values[i] = ReadDecimal(coordinates[i]);
    if (!values[i]) {
      result.ok = false;
      result.badField = static_cast<int>(i);
      result.message =
          "Помилка вводу координати " + parameters.Field(kNameFields[i]) + " : " + coordinates[i];
      return result;
    }
  }
  if (graphs.Empty()) {
    rows.clear();
    return result;
  }
  BindConstantLines(surfaceParser, parameters.Constants3D);
  const std::array<char, 3> letters = Letters(validated);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i]) surfaceParser.SetVariable(std::string_view(&letters[i], 1), *values[i]);
  }
  rows.assign(graphs.Count(), ScanRow{});
  for (std::size_t j = 0; j < graphs.Count(); ++j) {
    rows[j].expression = graphs.Text(j);
    if ((graphs.At(j).Form & 0xFFu) == ParametricSurface) {
      // A surface of U and V has no value at a point of space; nor is it shifted.
      rows[j].value = NoValueText;
      continue;
    }
    const double value = surfaceParser.Evaluate(rows[j].expression);
    rows[j].value = ValueCellText(surfaceParser, value, decimalSeparator);
  }
  return result;
}

Scan3DResult FunctionThroughPoint3D(const PlotList3D& graphs, const BuildParameters& parameters,
                                    const Params3D& validated, FormulaParser& surfaceParser,
                                    const Coordinates3D& coordinates, std::size_t row,
                                    std::vector<ScanRow>& rows, char decimalSeparator) {
  const Scan3DResult result = Refresh3DScan(graphs, parameters, validated, surfaceParser,
                                            coordinates, rows, decimalSeparator);
  if (!result.ok || row >= rows.size() || row >= graphs.Count()) return result;
  ScanRow& cell = rows[row];
  if (!StartsLikeNumber(cell.value)) return result;
  const std::optional<double> value = ReadDecimal(cell.value);
  if (!value) return result;
  const std::size_t axis = DependentAxis(graphs.At(row).Form);
  // An empty field was not read; the point then has the variable's bound value.
  const char letter = Letters(validated)[axis];
  const double coordinate =
      coordinates[axis].empty() ? surfaceParser.Variable(letter) : *ReadDecimal(coordinates[axis]);
  const SplitExpression split = SplitTrailingConstant(cell.expression);
  const double shift = *value - coordinate - split.constant;
  if (shift == 0.0 || !std::isfinite(shift)) return result;
  cell.expression = AppendShift(split.rest, shift);
  std::string shown =
      coordinates[axis].empty() ? FormatGeneral(coordinate, decimalSeparator) : coordinates[axis];
  std::replace_if(
      shown.begin(), shown.end(), [](char c) { return c == '.' || c == ','; }, decimalSeparator);
  cell.value = shown;
  return result;
}

void Save3DScanExpressions(const std::vector<ScanRow>& rows, PlotList3D& graphs) {
  const std::size_t count = std::min(rows.size(), graphs.Count());
  for (std::size_t j = 0; j < count; ++j) graphs.Replace(j, rows[j].expression, graphs.At(j));
}

}  // namespace lw
