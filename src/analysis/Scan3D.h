// The 3D scan window's logic: the values of every 3D graph at a typed point, and
// shifting a graph's expression along its dependent axis through that point.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "analysis/ScanValues.h"
#include "document/BuildParameters.h"
#include "document/GraphLists.h"

namespace lw {

class FormulaParser;

// The three coordinate fields (x, y, z) as typed; "." and "," both separate decimals.
using Coordinates3D = std::array<std::string, 3>;

struct Scan3DResult {
  bool ok = true;
  // When a coordinate field cannot be read: which one (0, 1, 2) and the status text.
  int badField = -1;
  std::string message;
};

// Refreshes the grid for the typed point. All three fields are read before anything
// else happens, so an unreadable one leaves the parser and the rows as they were.
// Formulas are evaluated as typed, without normalisation.
Scan3DResult Refresh3DScan(const PlotList3D& graphs, const BuildParameters& parameters,
                           const Params3D& validated, FormulaParser& surfaceParser,
                           const Coordinates3D& coordinates, std::vector<ScanRow>& rows,
                           char decimalSeparator);

// Refreshes, then shifts the expression of one row (0-based, graph index) so that its
// surface passes through the typed point along the axis its form makes dependent:
// form 0 the z field, 1 the y field, 2 the x field. Returns the refresh's result; the
// row changes only when its value is a number and the shift is not zero.
Scan3DResult FunctionThroughPoint3D(const PlotList3D& graphs, const BuildParameters& parameters,
                                    const Params3D& validated, FormulaParser& surfaceParser,
                                    const Coordinates3D& coordinates, std::size_t row,
                                    std::vector<ScanRow>& rows, char decimalSeparator);

// The 3D graphs' formula texts := the rows' expression cells.
void Save3DScanExpressions(const std::vector<ScanRow>& rows, PlotList3D& graphs);

}  // namespace lw
