// linewright-cli info3d: what a 3D file holds, object by object, as read (before
// any centring).
#include <algorithm>
#include <array>
#include <ostream>
#include <string>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "formula/NumberFormat.h"
#include "scene3d/FileSniffing.h"
#include "scene3d/G3dFile.h"
#include "scene3d/HeadlessScene3D.h"
#include "scene3d/Scene3DCommands.h"

namespace lw::cli {
namespace {

void PrintInfo3DUsage(std::ostream& out) {
  out << "Usage: linewright-cli info3d IN\n\n"
         "Reads a 3D file in the format its first bytes show, else the one its\n"
         "extension names (.t3d, .stl, .obj, .ply, .glb, .gltf, .3mf, .off, .amf; DXF\n"
         "for any other name), and prints one line per object:\n"
         "its number, name, point and triangle counts and, when it has points, the\n"
         "bounding box of its points as read.\n";
}

void PrintObject(std::ostream& out, std::size_t index, const G3dObject& object) {
  out << index << " \"" << object.name << "\": " << object.points.size() << " points, "
      << object.triangles.size() << " triangles";
  if (!object.points.empty()) {
    const G3dPoint& first = object.points[0];
    std::array<float, 3> low{first.x, first.y, first.z}, high = low;
    object.points.ForEach([&](const G3dPoint& p) {
      const std::array<float, 3> c{p.x, p.y, p.z};
      for (std::size_t a = 0; a < 3; ++a) {
        low[a] = std::min(low[a], c[a]);
        high[a] = std::max(high[a], c[a]);
      }
    });
    for (std::size_t a = 0; a < 3; ++a) {
      out << ", "
          << "xyz"[a] << " [" << FormatGeneral(low[a]) << ", " << FormatGeneral(high[a]) << "]";
    }
  }
  out << '\n';
}

}  // namespace

int RunInfo3D(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  std::string input;
  CommandParser parser("info3d", PrintInfo3DUsage);
  parser.App().add_option("input", input);
  if (const std::optional<int> exit = parser.Parse(args, out, err)) return *exit;
  if (input.empty()) return parser.Refuse("an input file is needed", err);
  HeadlessScene3D space;
  G3dFile file(space.block, &space.palette3D);
  const int result = Read3DFile(file, input, KindOfFile(input, KindOfPath(input)));
  if (result != FileDone) {
    err << Read3DFileStatus(result, input) << '\n';
    ReportReadReason(err, input, file.ReadReason());
    return ExitFailed;
  }
  out << "Objects: " << space.block->objects.size() << '\n';
  for (std::size_t i = 0; i < space.block->objects.size(); ++i) {
    PrintObject(out, i, *space.block->objects[i]);
  }
  return ExitOk;
}

}  // namespace lw::cli
