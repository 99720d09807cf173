#include "analysis/ScanValues.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis/ScanText.h"
#include "document/ParametricText.h"
#include "formula/FormulaParser.h"
#include "formula/NumberFormat.h"

namespace lw {
namespace {

constexpr std::array<ParamField, 4> kBoundFields{ParamField::XStart, ParamField::XEnd,
                                                 ParamField::YStart, ParamField::YEnd};

// A bound goes back into a formula field, so an exponent must be spelt the way the
// formula engine reads it.
std::string BoundText(double value, char decimalSeparator) {
  std::string text = FormatGeneral(value, decimalSeparator);
  if (text.find('E') != std::string::npos) return FormulaNumberText(value);
  return text;
}

}  // namespace

void BindConstantLines(FormulaParser& parser, const std::vector<std::string>& lines) {
  parser.ClearVariables();
  parser.SetVariable("P", Pi);
  parser.SetVariable("E", EulerE);
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    std::string copy = line;
    parser.EvaluateNormalized(copy);
  }
}

ScanValuesPanel ComputeScanValues(const PlotList2D& graphs, const BuildParameters& parameters,
                                  const Params2D& validated, FormulaParser& explicitParser,
                                  const ScanPoint& point, char decimalSeparator) {
  ScanValuesPanel panel;
  panel.varXText = parameters.Field(ParamField::VarX);
  panel.varYText = parameters.Field(ParamField::VarY);
  panel.xText = FormatGeneral(point.x, decimalSeparator);
  panel.yText = FormatGeneral(point.y, decimalSeparator);
  if (graphs.Empty()) return panel;
  BindConstantLines(explicitParser, parameters.Constants2D);
  explicitParser.SetVariable(std::string_view(&validated.VarX, 1), point.x);
  explicitParser.SetVariable(std::string_view(&validated.VarY, 1), point.y);
  panel.rows.reserve(graphs.Count());
  for (std::size_t j = 0; j < graphs.Count(); ++j) {
    ScanRow row;
    row.expression = graphs.Text(j);
    if (IsParameterCurve(graphs.At(j).Kind)) {
      // A curve of T has no value at a point of the plane.
      FormulaParser::Normalize(row.expression);
      row.value = NoValueText;
      panel.rows.push_back(std::move(row));
      continue;
    }
    const double value = explicitParser.EvaluateNormalized(row.expression);
    row.value = ValueCellText(explicitParser, value, decimalSeparator);
    panel.rows.push_back(std::move(row));
  }
  return panel;
}

bool RelationThroughPoint(ScanRow& row) {
  if (!StartsLikeNumber(row.value)) return false;
  const std::optional<double> value = ReadDecimal(row.value);
  if (!value) return false;
  const SplitExpression split = SplitTrailingConstant(row.expression);
  const double shift = *value - split.constant;
  row.expression = AppendShift(split.rest, shift);
  row.value = "0";
  return true;
}

bool FunctionThroughPoint(ScanRow& row, std::string_view yText) {
  if (!StartsLikeNumber(row.value)) return false;
  const std::optional<double> value = ReadDecimal(row.value);
  const std::optional<double> y = ReadDecimal(yText);
  if (!value || !y) return false;
  const SplitExpression split = SplitTrailingConstant(row.expression);
  const double shift = *value - *y - split.constant;
  if (shift == 0.0 || !std::isfinite(shift)) return false;
  row.expression = AppendShift(split.rest, shift);
  row.value = std::string(yText);
  return true;
}

void SaveScanExpressions(const std::vector<ScanRow>& rows, PlotList2D& graphs) {
  // The list may have changed since the grid was filled; only rows that still have a
  // graph are taken.
  const std::size_t count = std::min(rows.size(), graphs.Count());
  for (std::size_t j = 0; j < count; ++j) graphs.Replace(j, rows[j].expression, graphs.At(j));
}

std::vector<std::array<std::string, 2>> ScannedPointRows(const std::vector<ScanPoint>& points,
                                                         char decimalSeparator) {
  std::vector<std::array<std::string, 2>> rows;
  rows.reserve(points.size());
  for (const ScanPoint& p : points) {
    rows.push_back({FormatGeneral(p.x, decimalSeparator), FormatGeneral(p.y, decimalSeparator)});
  }
  return rows;
}

void BoundsMemory::FromSelection(BuildParameters& parameters, const SelectionRect& selection,
                                 const ScanMapping& mapping, char decimalSeparator) {
  for (std::size_t i = 0; i < kBoundFields.size(); ++i)
    saved_[i] = parameters.Field(kBoundFields[i]);
  const ScanPoint start = PixelToWorld(mapping, selection.startColumn, selection.endRow);
  const ScanPoint end = PixelToWorld(mapping, selection.endColumn, selection.startRow);
  parameters.Field(ParamField::XStart) = BoundText(start.x, decimalSeparator);
  parameters.Field(ParamField::XEnd) = BoundText(end.x, decimalSeparator);
  parameters.Field(ParamField::YStart) = BoundText(start.y, decimalSeparator);
  parameters.Field(ParamField::YEnd) = BoundText(end.y, decimalSeparator);
}

void BoundsMemory::Restore(BuildParameters& parameters) const {
  for (std::size_t i = 0; i < kBoundFields.size(); ++i)
    parameters.Field(kBoundFields[i]) = saved_[i];
}

}  // namespace lw
