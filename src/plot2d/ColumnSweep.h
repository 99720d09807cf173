// The walk over pixel columns shared by the builders that sample every pixel
// (regions, colour maps, contours): the x of every column and the y of every row by
// the walk's running sums, one engine per worker, and each column evaluated a block
// of rows per call of the engine's batch path.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

#include "document/WorkerParsers.h"
#include "plot2d/BuilderCommon.h"
#include "plot2d/Plot2DContext.h"

namespace lw {

// Rows of a column evaluated per batch: small enough that a block's values are still
// in the first-level cache when the drawing reads them.
inline constexpr std::size_t kColumnBlock = 256;

// A worker's outputs for one block of rows; it lives on the worker's stack for a whole
// piece of columns, so the column loop allocates nothing.
struct ColumnBlock {
  std::array<double, kColumnBlock> values;
  std::array<std::uint8_t, kColumnBlock> codes;
  std::array<std::uint32_t, kColumnBlock> divisions;  // filled by counting engines only
};

// Evaluates the column at x for every y of ys, a block at a time, and calls
// row(r, value, hasValue, divisions) for each row in order. X is set before Y, so a
// Y that names the same letter wins, as when each sample sets X, then Y, and
// evaluates: the values, codes and division counts are those of that loop, and the
// engine is left as it would leave it.
template <class Parser, class Row>
void EvaluateColumn(Parser& parser, const View2D& view, double x, std::span<const double> ys,
                    ColumnBlock& block, Row&& row) {
  constexpr bool kCounts = std::is_base_of_v<DivisionTrackingParser, Parser>;
  const FormulaParser::BatchOutput output{block.values.data(), block.codes.data(),
                                          kCounts ? block.divisions.data() : nullptr};
  for (std::size_t first = 0; first < ys.size(); first += kColumnBlock) {
    const std::size_t n = std::min(kColumnBlock, ys.size() - first);
    const FormulaParser::BatchInput inputs[] = {{view.VarX, std::span(&x, 1)},
                                                {view.VarY, ys.subspan(first, n)}};
    parser.EvaluateBatch(inputs, output);
    for (std::size_t i = 0; i < n; ++i) {
      row(static_cast<int>(first + i), block.values[i], block.codes[i] == NoFormulaError,
          kCounts ? block.divisions[i] : 0u);
    }
  }
}

// The set-up of a per-pixel builder: the walk, its columns and rows, and one copy of
// the compiled entry per worker.
template <class Parser>
class ColumnSweep {
 public:
  // With atLeastOneColumn, an empty X interval still samples its start column.
  ColumnSweep(Plot2DContext& ctx, Parser& source, const CompiledEntry& compiled,
              bool atLeastOneColumn = false)
      : ctx_(ctx),
        walk_(WalkOf(ctx.view)),
        xs_(ColumnSamples(ctx.view)),
        ys_(RowSamples(ctx.view, walk_.Rows)),
        engines_(source, compiled.Normalized(), ThreadsFor(ctx.work, source)),
        lastHadError_(source.HasError()) {
    if (atLeastOneColumn && xs_.empty()) xs_.push_back(ctx.view.XStart);
  }

  const PixelWalk& Walk() const { return walk_; }
  int Columns() const { return static_cast<int>(xs_.size()); }
  int Slots() const { return engines_.Slots(); }
  double X(int c) const { return xs_[static_cast<std::size_t>(c)]; }

  template <class Row>
  void Sample(Parser& parser, ColumnBlock& block, int c, Row&& row) const {
    EvaluateColumn(parser, ctx_.view, X(c), ys_, block, row);
  }

  // Runs band(parser, block, first, last) on pieces of the columns on the workers,
  // pieces of `grain` columns (0: the loop's choice); band returns false when it could
  // not sample its piece. Whether the walk's last sample had no value, as the status
  // needs.
  template <class Band>
  bool RunBands(int grain, Band&& band) {
    const int columns = Columns();
    ForEachPiece(ctx_.work, Slots(), columns, grain, [&](int first, int last, int slot) {
      Parser& parser = engines_[slot];
      ColumnBlock block;
      if (!band(parser, block, first, last)) return;
      if (last == columns && !Stopped(ctx_.work)) lastHadError_ = parser.HasError();
    });
    return lastHadError_;
  }

  // Runs column(parser, block, c) for every column, each counted by the progress and
  // shown as it is finished.
  template <class Column>
  bool RunColumns(Column&& column) {
    return RunBands(0, [&](Parser& parser, ColumnBlock& block, int first, int last) {
      ColumnBatches batches(ctx_, walk_.Px0 + first);
      for (int c = first; c < last && !Stopped(ctx_.work); ++c) {
        column(parser, block, c);
        ctx_.progress.Advance(1);
        batches.FinishedUpTo(walk_.Px0 + c + 1);
      }
      return true;
    });
  }

 private:
  Plot2DContext& ctx_;
  PixelWalk walk_;
  std::vector<double> xs_;
  std::vector<double> ys_;
  WorkerParsers<Parser> engines_;
  bool lastHadError_;
};

}  // namespace lw
