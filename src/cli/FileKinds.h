// The 3D file format a command writes: the one the output's name says, or the one
// --format names.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "Scene3DCommands.h"

namespace lw::cli {

inline constexpr const char* kWritableFormats = "dxf, stl, stl-ascii, obj, ply, glb";

// The kind to write; nullopt, with the reason on `err`, for an unknown name or a
// format that is only read.
std::optional<Space3DFileKind> OutputKind(const std::string& output, const std::string& format,
                                          std::ostream& err);

}  // namespace lw::cli
