// A document of one 2D graph and everything a build of it over the whole picture
// needs, for the benchmarks that time the 2D builders.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "plot2d/BuildCommands.h"
#include "plot2d/Builders2D.h"

struct Picture2DSetup {
  lw::Document doc;
  lw::Params2D params;
  lw::View2D view;
  lw::PlotPicture picture;
  lw::FormulaParser explicitParser;
  lw::DivisionTrackingParser poleParser;
  lw::Palette palette = lw::StartupPalette();
  lw::RecordingStatus status;
  lw::SilentProgress progress;
  lw::TemporaryGrid grid;
  lw::Plot2DContext ctx{doc,
                        params,
                        view,
                        picture,
                        explicitParser,
                        poleParser,
                        palette,
                        status,
                        progress,
                        grid,
                        nullptr,
                        nullptr,
                        lw::PlotPicture::DefaultWidth,
                        lw::PlotPicture::DefaultHeight};

  Picture2DSetup(const char* formula, std::uint8_t kind, std::uint8_t interpolated) {
    doc.Graphs2D.Append(formula, lw::PlotP{0x0000FF, kind, interpolated, lw::Less});
    if (!lw::PrepareView2D(ctx)) std::abort();
  }
  void Build(const lw::WorkControl* work) {
    ctx.work = work;
    lw::BuildEntry2D(ctx, 0);
  }
};
