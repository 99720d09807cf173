// Surfaces given as a point (FX, FY, FZ) of two parameters U and V: a sphere, a torus,
// anything a single explicit coordinate cannot describe.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "document/GraphLists.h"
#include "scene3d/Build3DContext.h"
#include "scene3d/SurfaceBuilder.h"

namespace lw {

// The values a parameter takes from start to end: equal steps no longer than `step`,
// both ends included, so a closed figure (0 to 2*P) closes exactly. One value when the
// ends are equal; nothing when the step is not positive or more than `limit` values
// would be needed.
std::optional<std::vector<double>> ParameterSamples(double start, double end, double step,
                                                    std::size_t limit = MaxGridPoints);

// Builds the entry FX;FY;FZ;U0;U1;V0;V1 into object `objectIndex`: rows of V (stepped
// by StepY), each a run of U (stepped by StepX), triangulated as every other grid. A
// wrong text leaves the object untouched with the message on the status line.
void BuildParametricSurface(Build3DContext& context, std::size_t entryIndex, const PlotP3d& entry,
                            std::size_t objectIndex);

}  // namespace lw
