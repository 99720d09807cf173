#include "BuilderCommon.h"

#include <algorithm>
#include <new>
#include <span>

#include "Builders2D.h"

namespace lw {

CompiledEntry::CompiledEntry(FormulaParser& parser, const std::string& text, const View2D& view,
                             StatusSink& status)
    : parser_(parser), status_(status) {
  std::string buffer = text;  // the list keeps the text as typed
  parser_.VariableSlot(view.VarX) = 0;
  parser_.VariableSlot(view.VarY) = 0;
  FormulaParser::Normalize(buffer);
  parser_.Compile(buffer);
  parser_.EvaluateCompiled();
  if (parser_.HasError() && parser_.ErrorCode() <= NotAnExpression) {
    status_.SetStatus(std::string(FormulaErrorMessages[parser_.ErrorCode()]));
    return;
  }
  usable_ = true;
}

CompiledEntry::~CompiledEntry() {
  if (!released_) parser_.ReleaseCompiled();
}

void CompiledEntry::Finish() {
  parser_.ReleaseCompiled();
  released_ = true;
  if (!parser_.HasError()) status_.SetStatus(kBuildOkText);
}

int CountSamples(double start, double end, double step) {
  // Far more samples than any picture has rows or columns: the walk is cut there.
  constexpr int kMaxSamples = 1 << 20;
  if (!(start <= end)) return 0;
  int count = 1;
  double value = start;
  while (count < kMaxSamples && NextSample(value, end, step)) ++count;
  return count;
}

PixelWalk WalkOf(const View2D& view) {
  // A start pixel this far out leaves every pixel of the walk (at most 2^20 columns or
  // rows) outside the picture; the bound keeps the counting from overflowing.
  constexpr int kFar = 1 << 30;
  PixelWalk walk;
  walk.Px0 = std::clamp(TruncToInt(view.XStart * view.ScaleX + view.OriginX), -kFar, kFar);
  walk.Py0 = std::clamp(TruncToInt(view.OriginY - view.YStart * view.ScaleY), -kFar, kFar);
  walk.Rows = CountSamples(view.YStart, view.YEnd, view.PixelStepY);
  return walk;
}

bool ColumnBatch::Allocate(const View2D& view, int rows) {
  const auto count = static_cast<std::size_t>(std::max(rows, 0));
  try {
    ys_.resize(count);
    values_.assign(count, 0.0);
    codes_.assign(count, NoFormulaError);
    divisions_.assign(count, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  double y = view.YStart;
  for (double& row : ys_) {
    row = y;
    y += view.PixelStepY;
  }
  return true;
}

void ColumnBatch::Evaluate(FormulaParser& parser, const View2D& view, double x) {
  // X held for the column and named first, so Y wins where both name one letter, as
  // when each row sets X, then Y.
  const FormulaParser::BatchInput inputs[] = {{view.VarX, std::span(&x, 1)}, {view.VarY, ys_}};
  parser.EvaluateBatch(inputs, {values_.data(), codes_.data(), divisions_.data()});
}

}  // namespace lw
