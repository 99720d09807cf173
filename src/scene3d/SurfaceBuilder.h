// Turns 3D graph entries into triangle meshes of the current block, and rebuilds
// the coordinate-axes object (object 0).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/GraphLists.h"
#include "scene3d/Build3DContext.h"

namespace lw {

struct Params3D;

// More samples than this on one grid would not fit in memory; such a build is
// refused with the step message of its denser axis.
inline constexpr std::size_t MaxGridPoints = std::size_t{1} << 22;

// The sample values of one axis by single-precision running sums: v = start; while
// v <= end: take v; v += step. Empty when the sum stops growing (a step too small
// for the interval) or when there would be more than `limit` samples.
std::optional<std::vector<float>> AxisSamples(float start, float end, float step,
                                              std::size_t limit = MaxGridPoints);
// How many samples AxisSamples takes, counting no further than limit + 1; nothing
// when the sum stops growing.
std::optional<std::size_t> AxisSampleCount(float start, float end, float step,
                                           std::size_t limit = MaxGridPoints);

// A grid the builder refuses: the coordinate at fault (0 x, 1 y, 2 z) and why, in
// words for the command line.
struct GridRefusal {
  int axis;
  std::string reason;
};
// The first of the graphs `indices` whose grid cannot be sampled; a build checks
// them all before it changes anything.
std::optional<GridRefusal> CheckGrids(const Params3D& params, const PlotList3D& graphs,
                                      std::span<const std::size_t> indices);
// The status message of a refused grid: "Помилка вводу кроку вісі Y" for axis 1.
std::string_view StepMessage(int axis);

// Builds graph `entryIndex` (its formula is line entryIndex of the 3D list) into
// object `objectIndex` of the current block. A wrong formula or grid leaves the
// object untouched with the message on the status line.
void BuildSurface(Build3DContext& context, std::size_t entryIndex, const PlotP3d& entry,
                  std::size_t objectIndex);

// Object 0 of the current block: the axes and their letters as the appearance
// options ask, drawn as degenerate triangles; hidden when neither is wanted.
void BuildAxes(Build3DContext& context);

}  // namespace lw
