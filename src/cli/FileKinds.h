// What build3d and convert share: the output's options, and the 3D file format to
// write, the one the output's name says or the one --format names.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/CommandParser.h"
#include "scene3d/Scene3DCommands.h"

namespace lw::cli {

inline constexpr const char* kWritableFormats = "dxf, stl, stl-ascii, obj, ply, glb";

// -o OUT, --format NAME and --threads N.
struct Space3DOutput {
  std::string output;
  std::string format;
  int threads = 0;  // every core
};
void AddSpace3DOutput(CommandParser& parser, Space3DOutput& options);

// The kind to write; nothing, after the parser has refused the command line, for a
// missing output, an unknown name or a format that is only read.
std::optional<Space3DFileKind> OutputKind(const Space3DOutput& options, const CommandParser& parser,
                                          std::ostream& err);

}  // namespace lw::cli
