// A 2D build setup on a small picture, with recorders in place of the windows.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "plot2d/Plot2DContext.h"

namespace lw::test {

using PixelSet = std::set<std::pair<int, int>>;

class Plot2DFixture : public ::testing::Test {
 protected:
  static constexpr Colour kWhite = 0xFFFFFF;

  Plot2DFixture() {
    // Plain parameters: 1 pixel per unit, centred, no axes or labels unless a test
    // asks for them, so pixels are easy to predict.
    SetScales("1", "1");
    SetInterval("-10", "10", "-10", "10");
    doc.Params.AutoScale = false;
    doc.Params.Centering = true;
    doc.Appearance.ShowAxes = false;
    doc.Appearance.ShowUnits = false;
    doc.Appearance.ShowVariableNames = false;
    for (int i = 0; i < 256; ++i) {
      palette.Set(i, static_cast<Colour>(i) | (static_cast<Colour>((2 * i) & 0xFF) << 8) |
                         (static_cast<Colour>(255 - i) << 16));
    }
  }

  void SetScales(const std::string& sx, const std::string& sy) {
    doc.Params.Field(ParamField::ScaleX) = sx;
    doc.Params.Field(ParamField::ScaleY) = sy;
  }
  void SetInterval(const std::string& x0, const std::string& x1, const std::string& y0,
                   const std::string& y1) {
    doc.Params.Field(ParamField::XStart) = x0;
    doc.Params.Field(ParamField::XEnd) = x1;
    doc.Params.Field(ParamField::YStart) = y0;
    doc.Params.Field(ParamField::YEnd) = y1;
  }
  void Add(const std::string& formula, std::uint8_t kind, std::uint8_t interpolated = 0,
           std::uint8_t relation = Equal, Colour colour = 0x0000FF) {
    doc.Graphs2D.Append(formula, PlotP{colour, kind, interpolated, relation});
  }
  void SetView(int w, int h) {
    ctx.viewWidth = w;
    ctx.viewHeight = h;
  }

  PixelSet NonWhite() const {
    PixelSet set;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        if (picture.GetPixel(x, y) != kWhite) set.emplace(x, y);
      }
    }
    return set;
  }
  std::vector<Colour> Snapshot() const {
    std::vector<Colour> all;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) all.push_back(picture.GetPixel(x, y));
    }
    return all;
  }

  Document doc;
  Params2D params;
  View2D view;
  PlotPicture picture{240, 180};
  FormulaParser explicitParser;
  DivisionTrackingParser poleParser;
  Palette palette;
  RecordingStatus status;
  SilentProgress progress;
  TemporaryGrid grid;
  Plot2DContext ctx{doc,    params,   view, picture, explicitParser, poleParser, palette,
                    status, progress, grid, nullptr, nullptr,        20,         20};
};

}  // namespace lw::test
