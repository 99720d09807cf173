// Checks made before the mesh library sees a file: its readers of binary PLY and of
// binary glTF run on for ever over some truncated or inflated files, so the sizes
// those files promise are held against what they have.
#pragma once

#include <string_view>

#include "scene3d/MeshFormats.h"

namespace lw {

// False when the file cannot be what it claims: a binary glTF whose lengths run
// past its end, a binary PLY shorter than its counts say. Other files pass.
bool PlausibleMeshFile(std::string_view bytes, MeshFormat format);

}  // namespace lw
