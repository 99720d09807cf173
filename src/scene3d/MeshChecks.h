// Checks made before the mesh library sees a file: its readers of PLY and of binary
// glTF run on for ever over some truncated or inflated files, and its zip reader
// stops the process over some damaged packages, so the sizes those files promise are
// held against what they have. Cheap: headers and directories only.
#pragma once

#include <string>
#include <string_view>

#include "scene3d/MeshFormats.h"

namespace lw {

// Whether bytes begin with word (written in lower case) in any case: "PLY" or "ply".
bool StartsWithNoCase(std::string_view bytes, std::string_view word);

// Why the file cannot be what it claims, in words for the command line: a PLY
// without its magic or its header's end, a binary PLY shorter than its counts say, an
// ASCII PLY with more elements than half its bytes, a binary glTF whose lengths run
// past its end, a zip package whose directory does not fit in the file. Empty when
// the file may be read.
std::string MeshFileProblem(std::string_view bytes, MeshFormat format);

}  // namespace lw
