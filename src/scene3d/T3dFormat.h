// The in-memory half of the program's binary 3D format (read only): a 41-byte
// header, the points as float triples, the triangles as counted index lists, and
// optional per-corner colours.
#pragma once

#include <string_view>

#include "scene3d/G3dModel.h"

namespace lw {

struct Palette;

enum class T3dResult { Read, UnknownFormat };

// Reads the figure into a new block and, only when the whole file was sound,
// replaces the content of `block` with it (one object named "Unititled0", the
// block's colour set to the figure colour). A wrong magic or version, an index
// outside the points, or a file shorter than its counts leave `block` as it was.
T3dResult ReadT3d(std::string_view bytes, G3dBlock& block, const Palette& palette3D);

}  // namespace lw
