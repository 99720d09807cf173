#include "plot2d/Axes.h"

#include <cmath>
#include <cstdio>

namespace lw {
namespace {

// A non-negative tick index from a double; huge or undefined quotients (an origin far
// away, a degenerate scale) give indices whose ticks all lie outside the view.
std::int64_t TickIndex(double v) {
  if (!(v >= 0)) return 0;
  if (v >= 1e15) return static_cast<std::int64_t>(1e15);
  return static_cast<std::int64_t>(v);
}

// Pixels between ticks and world units per tick for one axis.
void TickSpacing(double scale, double& spacing, double& unit) {
  unit = 1;
  if (scale < 8) unit = std::floor(8 / scale) + 1;
  spacing = unit * scale;
}

struct LabelGeometry {
  int textHeight = 0;
  int anchorX = 0;
  int anchorY = 0;
};

LabelGeometry LabelAnchors(const PlotPicture& picture, const View2D& v, const TickLayout& t) {
  LabelGeometry g;
  g.textHeight = picture.TextHeight("1");
  if (v.OriginX < 0) {
    g.anchorX = picture.TextWidth(WholeNumberText(t.UnitX * 10)) + 14;
  } else if (v.OriginX > v.Width) {
    g.anchorX = v.Width;
  } else {
    g.anchorX = v.OriginX;
  }
  if (v.OriginY < 0) {
    g.anchorY = 0;
  } else if (v.OriginY > v.Height) {
    g.anchorY = v.Height - 14 - g.textHeight;
  } else {
    g.anchorY = v.OriginY;
  }
  return g;
}

void DrawXLabels(PlotPicture& picture, const View2D& v, const TickLayout& t, int period, int top) {
  for (std::int64_t k = t.FirstX;; ++k) {
    const double px = v.OriginX + static_cast<double>(k) * t.SpacingX;
    if (!(px < v.Width)) break;
    if ((k - 1) % period == 0) {
      picture.DrawText(TruncToInt(px), top, WholeNumberText(static_cast<double>(k) * t.UnitX));
    }
  }
  for (std::int64_t k = t.FirstX + 1;; ++k) {
    const double px = v.OriginX - static_cast<double>(k) * t.SpacingX;
    if (!(px > 0)) break;
    if ((k - 1) % period == 0) {
      picture.DrawText(TruncToInt(px), top, WholeNumberText(-static_cast<double>(k) * t.UnitX));
    }
  }
}

void DrawYLabel(PlotPicture& picture, double py, double value, const LabelGeometry& g) {
  const std::string text = WholeNumberText(value);
  picture.DrawText(g.anchorX - picture.TextWidth(text) - 7, TruncToInt(py - g.textHeight / 2),
                   text);
}

void DrawYLabels(PlotPicture& picture, const View2D& v, const TickLayout& t, int period,
                 const LabelGeometry& g) {
  const std::int64_t rowsPerLabel = TruncToInt(g.textHeight / t.SpacingY) + 2;
  for (std::int64_t k = t.FirstY + rowsPerLabel - 1;; ++k) {
    const double py = v.OriginY - static_cast<double>(k) * t.SpacingY;
    if (!(py > 0)) break;
    if ((k - rowsPerLabel) % period == 0)
      DrawYLabel(picture, py, static_cast<double>(k) * t.UnitY, g);
  }
  for (std::int64_t k = t.FirstY + rowsPerLabel - 1;; ++k) {
    const double py = v.OriginY + static_cast<double>(k) * t.SpacingY;
    if (!(py < v.Height)) break;
    if ((k - rowsPerLabel) % period == 0) {
      DrawYLabel(picture, py, -static_cast<double>(k) * t.UnitY, g);
    }
  }
}

void DrawUnitLabels(PlotPicture& picture, const View2D& v, const TickLayout& t,
                    const LabelGeometry& g) {
  // Labels along both axes skip ticks so that neighbouring numbers cannot overlap.
  const int period =
      TruncToInt(picture.TextWidth(WholeNumberText(t.UnitX) + "00") / t.SpacingX) + 2;
  DrawXLabels(picture, v, t, period, g.anchorY + 7);
  DrawYLabels(picture, v, t, period, g);
}

void DrawVariableNames(PlotPicture& picture, const View2D& v, const TickLayout& t,
                       const BuildParameters& parameters, int textHeight) {
  picture.DrawText(t.AxisX + 7, 2, parameters.Field(ParamField::VarY));
  const std::string& varX = parameters.Field(ParamField::VarX);
  picture.DrawText(v.Width - picture.TextWidth(varX) - 3, t.AxisY - 7 - textHeight, varX);
}

void Line(PlotPicture& picture, int x0, int y0, int x1, int y1) {
  picture.MoveTo(x0, y0);
  picture.LineTo(x1, y1);
}

// Bounds lie one pixel outside the sampled area.
void DrawBounds(PlotPicture& picture, const View2D& v) {
  const int left = TruncToInt(v.XStart * v.ScaleX + v.OriginX - 1);
  const int bottom = TruncToInt(v.OriginY - v.YStart * v.ScaleY + 1);
  const int right = TruncToInt(v.XEnd * v.ScaleX + v.OriginX + 1);
  const int top = TruncToInt(v.OriginY - v.YEnd * v.ScaleY - 1);
  picture.MoveTo(left, bottom);
  picture.LineTo(right, bottom);
  picture.LineTo(right, top);
  picture.LineTo(left, top);
  picture.LineTo(left, bottom);
}

void DrawGridLines(PlotPicture& picture, const GridPositions& grid, int width, int height) {
  for (int px : grid.Columns) Line(picture, px, 0, px, height);
  for (int py : grid.Rows) Line(picture, 0, py, width, py);
}

void DrawAxisLines(PlotPicture& picture, const View2D& v, const TickLayout& t,
                   const GridPositions& grid) {
  const int ax = t.AxisX;
  const int ay = t.AxisY;
  const int w = v.Width;
  Line(picture, 0, ay, w, ay);
  Line(picture, ax, 0, ax, v.Height);
  Line(picture, ax, 0, ax - 3, 10);
  Line(picture, ax, 0, ax + 3, 10);
  Line(picture, w, ay, w - 10, ay - 3);
  Line(picture, w, ay, w - 10, ay + 3);
  for (int px : grid.Columns) Line(picture, px, ay - 3, px, ay + 3);
  for (int py : grid.Rows) Line(picture, ax - 3, py, ax + 3, py);
}

}  // namespace

std::string WholeNumberText(double n) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.0f", n);
  return buffer;
}

TickLayout LayoutTicks(const View2D& v) {
  TickLayout t;
  TickSpacing(v.ScaleX, t.SpacingX, t.UnitX);
  TickSpacing(v.ScaleY, t.SpacingY, t.UnitY);
  if (v.OriginX < 0) {
    t.FirstX = TickIndex(-static_cast<double>(v.OriginX) / t.SpacingX);
    t.AxisX = 0;
  } else if (v.OriginX > v.Width) {
    t.FirstX = TickIndex((static_cast<double>(v.OriginX) - v.Width) / t.SpacingX);
    t.AxisX = v.Width;
  } else {
    t.FirstX = 1;
    t.AxisX = v.OriginX;
  }
  if (v.OriginY < 0) {
    t.FirstY = TickIndex(-static_cast<double>(v.OriginY) / t.SpacingY);
    t.AxisY = 0;
  } else if (v.OriginY > v.Height) {
    t.FirstY = TickIndex((static_cast<double>(v.OriginY) - v.Height) / t.SpacingY);
    t.AxisY = v.Height;
  } else {
    t.FirstY = 1;
    t.AxisY = v.OriginY;
  }
  return t;
}

GridPositions GridOf(const View2D& v, const TickLayout& t) {
  GridPositions g;
  for (std::int64_t k = t.FirstX;; ++k) {
    const double px = v.OriginX + static_cast<double>(k) * t.SpacingX;
    if (!(px < v.Width)) break;
    g.Columns.push_back(TruncToInt(px));
  }
  for (std::int64_t k = t.FirstX;; ++k) {
    const double px = v.OriginX - static_cast<double>(k) * t.SpacingX;
    if (!(px > 0)) break;
    g.Columns.push_back(TruncToInt(px));
  }
  for (std::int64_t k = t.FirstY;; ++k) {
    const double py = v.OriginY + static_cast<double>(k) * t.SpacingY;
    if (!(py < v.Height)) break;
    g.Rows.push_back(TruncToInt(py));
  }
  for (std::int64_t k = t.FirstY;; ++k) {
    const double py = v.OriginY - static_cast<double>(k) * t.SpacingY;
    if (!(py > 0)) break;
    g.Rows.push_back(TruncToInt(py));
  }
  return g;
}

void DrawAxes(PlotPicture& picture, const View2D& view, const AppearanceSettings& appearance,
              const BuildParameters& parameters) {
  picture.SetFont(appearance.Font);
  const TickLayout ticks = LayoutTicks(view);
  const LabelGeometry labels = LabelAnchors(picture, view, ticks);
  if (appearance.ShowUnits) DrawUnitLabels(picture, view, ticks, labels);
  if (appearance.ShowVariableNames) {
    DrawVariableNames(picture, view, ticks, parameters, labels.textHeight);
  }
  const GridPositions grid = GridOf(view, ticks);
  picture.SetPen(
      Pen{appearance.GridColor, appearance.GridLineStyle, appearance.GridLineWidth, PenMode::Copy});
  if (appearance.ShowBounds) DrawBounds(picture, view);
  if (appearance.ShowGrid) DrawGridLines(picture, grid, view.Width, view.Height);
  picture.SetPen(
      Pen{appearance.AxesColor, appearance.AxesLineStyle, appearance.AxesLineWidth, PenMode::Copy});
  if (appearance.ShowAxes) DrawAxisLines(picture, view, ticks, grid);
}

void TemporaryGrid::Toggle(PlotPicture& picture, const View2D& view) {
  enabled_ = !enabled_;
  if (enabled_) {
    Draw(picture, view);
  } else {
    Erase(picture);
  }
}

void TemporaryGrid::Draw(PlotPicture& picture, const View2D& view) {
  Erase(picture);
  lines_ = GridOf(view, LayoutTicks(view));
  width_ = view.Width;
  height_ = view.Height;
  penWidth_ = picture.CurrentPen().width;
  Invert(picture);
  inPicture_ = true;
}

void TemporaryGrid::Erase(PlotPicture& picture) {
  if (!inPicture_) return;
  Invert(picture);
  inPicture_ = false;
}

void TemporaryGrid::Restore(PlotPicture& picture) {
  if (inPicture_) return;
  Invert(picture);
  inPicture_ = true;
}

void TemporaryGrid::Invert(PlotPicture& picture) {
  const Pen saved = picture.CurrentPen();
  picture.SetPen(Pen{0, Solid, penWidth_, PenMode::Invert});
  DrawGridLines(picture, lines_, width_, height_);
  // Drawn, the lines are a layer of the record; erased, that layer goes again.
  if (inPicture_) {
    picture.DropPixelLayer(layer_);
    layer_ = 0;
  } else {
    layer_ = picture.EndPixelLayer();
  }
  // Back to plain copy mode, keeping colour, style and width.
  picture.SetPen(Pen{saved.colour, saved.style, saved.width, PenMode::Copy});
}

}  // namespace lw
