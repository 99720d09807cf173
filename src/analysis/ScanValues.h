// The scan values window's logic: the values of every 2D graph at a scanned point,
// shifting an expression through the point, saving the edited expressions, the list
// of scanned points, and build bounds taken from a selection rectangle.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/ScanSession.h"
#include "document/BuildParameters.h"
#include "document/GraphLists.h"

namespace lw {

class FormulaParser;

// One grid row below the header: the expression cell and the value cell.
struct ScanRow {
  std::string expression;
  std::string value;
  bool operator==(const ScanRow&) const = default;
};

// Everything the scan values window shows for one point.
struct ScanValuesPanel {
  std::string varXText;  // the VarX field as typed
  std::string varYText;
  std::string xText;  // the point in general format
  std::string yText;
  std::vector<ScanRow> rows;  // one per 2D graph; none leaves only the header row
};

// Clears the parser's variables, binds P and E, then evaluates each non-empty
// constants line in order (results and errors ignored).
void BindConstantLines(FormulaParser& parser, const std::vector<std::string>& lines);

// Binds the 2D constants and the point on the parser and evaluates every graph's
// formula normalised, so the expression cells show the normalised formulas.
ScanValuesPanel ComputeScanValues(const PlotList2D& graphs, const BuildParameters& parameters,
                                  const Params2D& validated, FormulaParser& explicitParser,
                                  const ScanPoint& point, char decimalSeparator);

// Rewrites the row so its expression is zero at the scanned point (value cell "0").
// False, and the row untouched, when the value cell holds no number.
bool RelationThroughPoint(ScanRow& row);

// Shifts the expression vertically so that y = f(x) passes through the point whose y
// is in yText; the value cell then shows yText. False when nothing changes.
bool FunctionThroughPoint(ScanRow& row, std::string_view yText);

// The grid's expression cells become the graphs' formula texts (row j for graph j).
void SaveScanExpressions(const std::vector<ScanRow>& rows, PlotList2D& graphs);

// Rows of the scanned points window: x and y of each point in general format.
std::vector<std::array<std::string, 2>> ScannedPointRows(const std::vector<ScanPoint>& points,
                                                         char decimalSeparator);

// The build bounds before the last recomputation from a selection.
class BoundsMemory {
 public:
  // Remembers the four bound fields, then writes the selection's world bounds into
  // them. Nothing is rebuilt; the next validation orders reversed intervals.
  void FromSelection(BuildParameters& parameters, const SelectionRect& selection,
                     const ScanMapping& mapping, char decimalSeparator);
  // Puts the remembered texts back.
  void Restore(BuildParameters& parameters) const;
  // XStart, XEnd, YStart, YEnd.
  const std::array<std::string, 4>& Saved() const { return saved_; }

 private:
  std::array<std::string, 4> saved_{"-20", "20", "-20", "20"};
};

}  // namespace lw
