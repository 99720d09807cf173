#include "plot2d/BuildCommands.h"

#include <algorithm>

#include "plot2d/Builders2D.h"

namespace lw {

bool BeginBuild2D(Plot2DContext& ctx, bool clear) {
  if (!PrepareView2D(ctx)) return false;
  ctx.progress.Show();
  const AppearanceSettings& look = ctx.document.Appearance;
  if (clear || look.ClearBackground) {
    ClearPicture(ctx);
  } else {
    // Overlays drawn by inversion must not end up inside the graphs.
    ctx.temporaryGrid.Erase(ctx.picture);
    if (ctx.scanMarks != nullptr && ctx.scanMarks->Active())
      ctx.scanMarks->InvertMarks(ctx.picture);
  }
  if (!look.AxesOnTop) DrawAxes(ctx.picture, ctx.view, look, ctx.document.Params);
  return true;
}

namespace {

void DrawEntry(Plot2DContext& ctx, std::size_t index) {
  ctx.progress.SetCaption(GraphProgressCaption(index));
  BuildEntry2D(ctx, index);
  // Between graphs no other thread draws: the whole picture is final for now.
  PublishColumns(ctx, 0, ctx.picture.Width());
  ctx.progress.SetPosition(0);
}

}  // namespace

void DrawGraphs2D(Plot2DContext& ctx, std::size_t first, std::size_t last) {
  for (std::size_t i = first; i < last && !Stopped(ctx.work); ++i) DrawEntry(ctx, i);
}

void DrawGraphs2D(Plot2DContext& ctx, std::span<const std::size_t> entries) {
  const std::size_t count = ctx.document.Graphs2D.Count();
  for (const std::size_t i : entries) {
    if (Stopped(ctx.work)) return;
    if (i < count) DrawEntry(ctx, i);
  }
}

void EndBuild2D(Plot2DContext& ctx) {
  const AppearanceSettings& look = ctx.document.Appearance;
  if (look.AxesOnTop) DrawAxes(ctx.picture, ctx.view, look, ctx.document.Params);
  ctx.progress.Close();
  if (ctx.temporaryGrid.Enabled()) ctx.temporaryGrid.Draw(ctx.picture, ctx.view);
  if (ctx.scanMarks != nullptr && ctx.scanMarks->Active()) ctx.scanMarks->InvertMarks(ctx.picture);
  PresentPicture(ctx);
  ctx.status.StartStatusTimer();
}

std::string GraphProgressCaption(std::size_t index) {
  return "Стан побудови : графік №" + std::to_string(index + 1);
}

bool PrepareView2D(Plot2DContext& ctx) {
  const BuildParameters& parameters = ctx.document.Params;
  if (!ValidateParams2D(parameters, ctx.params, ctx.explicitParser, ctx.status)) return false;
  // A collapsed plot view still maps onto at least one pixel.
  const int w = std::max(ctx.viewWidth, 1);
  const int h = std::max(ctx.viewHeight, 1);
  ctx.view = MapView2D(ctx.params, parameters.AutoScale, parameters.Centering, w, h);
  ctx.progress.SetPosition(0);
  ctx.progress.SetMaximum(ProgressMaximum(ctx.view));
  BindConstants2D(parameters, ctx.explicitParser, ctx.poleParser);
  return true;
}

void ClearPicture(Plot2DContext& ctx) {
  ctx.picture.Fill(ctx.document.Appearance.BackgroundColor);
  ctx.temporaryGrid.PictureCleared();
  if (ctx.scanMarks != nullptr) ctx.scanMarks->PictureCleared();
  PresentPicture(ctx);
}

bool FitPictureToView(Plot2DContext& ctx) {
  const PlotPicture::Size size = PlotPicture::SizeForView(ctx.viewWidth, ctx.viewHeight);
  if (size.width <= ctx.picture.Width() && size.height <= ctx.picture.Height()) return false;
  const bool grid = ctx.temporaryGrid.InPicture();
  const bool marks = ctx.scanMarks != nullptr && ctx.scanMarks->MarksInPicture();
  ctx.temporaryGrid.Erase(ctx.picture);
  if (marks) ctx.scanMarks->InvertMarks(ctx.picture);
  ctx.picture.Grow(size.width, size.height, ctx.document.Appearance.BackgroundColor);
  if (grid) ctx.temporaryGrid.Restore(ctx.picture);
  if (marks) ctx.scanMarks->InvertMarks(ctx.picture);
  return true;
}

void PresentPicture(Plot2DContext& ctx) {
  if (ctx.presenter != nullptr) ctx.presenter->PresentPicture();
}

bool SelectEntryToBuild(std::size_t count, int& selected) {
  if (count == 0) return false;
  if (selected < 0 || static_cast<std::size_t>(selected) >= count) selected = 0;
  return true;
}

void BuildAll2D(Plot2DContext& ctx) {
  if (!BeginBuild2D(ctx)) return;
  DrawGraphs2D(ctx, 0, ctx.document.Graphs2D.Count());
  EndBuild2D(ctx);
}

void BuildSelected2D(Plot2DContext& ctx, int& selected) {
  if (!SelectEntryToBuild(ctx.document.Graphs2D.Count(), selected)) return;
  if (!BeginBuild2D(ctx)) return;
  const auto index = static_cast<std::size_t>(selected);
  DrawGraphs2D(ctx, index, index + 1);
  EndBuild2D(ctx);
}

}  // namespace lw
