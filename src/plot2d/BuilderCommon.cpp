#include "plot2d/BuilderCommon.h"

#include <algorithm>

#include "plot2d/Builders2D.h"

namespace lw {

CompiledEntry::CompiledEntry(FormulaParser& parser, const std::string& text, const View2D& view,
                             StatusSink& status)
    : parser_(parser), status_(status) {
  normalized_ = text;  // the list keeps the text as typed
  parser_.VariableSlot(view.VarX) = 0;
  parser_.VariableSlot(view.VarY) = 0;
  FormulaParser::Normalize(normalized_);
  parser_.Compile(normalized_);
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

void CompiledEntry::Finish(bool lastHadError) {
  parser_.ReleaseCompiled();
  released_ = true;
  if (!lastHadError) status_.SetStatus(kBuildOkText);
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

std::vector<double> ColumnSamples(const View2D& view) {
  std::vector<double> xs;
  double x = view.XStart;
  if (!(x <= view.XEnd)) return xs;
  xs.reserve(static_cast<std::size_t>(CountSamples(view.XStart, view.XEnd, view.PixelStepX)));
  do {
    xs.push_back(x);
  } while (NextSample(x, view.XEnd, view.PixelStepX));
  return xs;
}

std::vector<double> RowSamples(const View2D& view, int rows) {
  std::vector<double> ys(static_cast<std::size_t>(std::max(rows, 0)));
  double y = view.YStart;
  for (double& row : ys) {
    row = y;
    y += view.PixelStepY;
  }
  return ys;
}

}  // namespace lw
