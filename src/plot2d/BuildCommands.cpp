#include "BuildCommands.h"

#include <algorithm>

#include "Builders2D.h"

namespace lw {
namespace {

// Steps before the graphs: false when the parameters were bad and nothing may follow.
bool BeginBuild(Plot2DContext& ctx) {
  if (!PrepareView2D(ctx)) return false;
  ctx.progress.Show();
  const AppearanceSettings& look = ctx.document.Appearance;
  if (look.ClearBackground) {
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

void BuildOne(Plot2DContext& ctx, std::size_t index) {
  ctx.progress.SetCaption(GraphProgressCaption(index));
  BuildEntry2D(ctx, index);
  ctx.progress.SetPosition(0);
}

void EndBuild(Plot2DContext& ctx) {
  const AppearanceSettings& look = ctx.document.Appearance;
  if (look.AxesOnTop) DrawAxes(ctx.picture, ctx.view, look, ctx.document.Params);
  ctx.progress.Close();
  if (ctx.temporaryGrid.Enabled()) ctx.temporaryGrid.Draw(ctx.picture, ctx.view);
  if (ctx.scanMarks != nullptr && ctx.scanMarks->Active()) ctx.scanMarks->InvertMarks(ctx.picture);
  PresentPicture(ctx);
  ctx.status.StartStatusTimer();
}

}  // namespace

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

void BuildAll2D(Plot2DContext& ctx) {
  if (!BeginBuild(ctx)) return;
  const std::size_t count = ctx.document.Graphs2D.Count();
  for (std::size_t i = 0; i < count; ++i) BuildOne(ctx, i);
  EndBuild(ctx);
}

void BuildSelected2D(Plot2DContext& ctx, int& selected) {
  const std::size_t count = ctx.document.Graphs2D.Count();
  if (count == 0) return;
  if (selected < 0 || static_cast<std::size_t>(selected) >= count) selected = 0;
  if (!BeginBuild(ctx)) return;
  BuildOne(ctx, static_cast<std::size_t>(selected));
  EndBuild(ctx);
}

}  // namespace lw
