// Everything a settings file holds.
#pragma once

#include "document/Appearance.h"
#include "document/BuildParameters.h"
#include "document/GraphLists.h"

namespace lw {

struct Document {
  BuildParameters Params;
  AppearanceSettings Appearance;
  PlotList2D Graphs2D;
  PlotList3D Graphs3D;
  bool operator==(const Document&) const = default;
};

}  // namespace lw
