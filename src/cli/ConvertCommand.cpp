// linewright-cli convert: a 3D file opened as the open command does (normals,
// centring) and written in the format the output's name (or --format) says.
#include <cerrno>
#include <ostream>
#include <string>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/FileKinds.h"
#include "scene3d/FileSniffing.h"
#include "scene3d/G3dFile.h"
#include "scene3d/HeadlessScene3D.h"
#include "scene3d/Scene3DCommands.h"

namespace lw::cli {
namespace {

void PrintConvertUsage(std::ostream& out) {
  out << "Usage: linewright-cli convert IN -o OUT [--format NAME] [--palette FILE.plt]\n"
         "                              [--threads N]\n\n"
         "Opens a 3D file as the program's open command does (normals are computed and\n"
         "the figure is centred) and writes it. The input is read in the format its\n"
         "first bytes show, else the one its extension names: .t3d, .stl, .obj, .ply,\n"
         ".glb, .gltf, .3mf, .off, .amf; DXF for any other name. The output is written\n"
         "in the format its extension names (.stl, .obj, .ply, .glb; DXF for any other\n"
         "name) or --format names: "
      << kWritableFormats
      << ". Colour numbers of DXF and .t3d files are\n"
         "looked up in the 3D palette: the program's start-up palette, or the given\n"
         "palette file.\n"
      << ThreadsUsage;
}

}  // namespace

int RunConvert(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  std::string input, palette;
  Space3DOutput output;
  CommandParser parser("convert", PrintConvertUsage);
  parser.App().add_option("input", input);
  parser.App().add_option("--palette", palette);
  AddSpace3DOutput(parser, output);
  if (const std::optional<int> exit = parser.Parse(args, out, err)) return *exit;
  if (input.empty() || output.output.empty()) {
    return parser.Refuse("an input file and -o OUT are needed", err);
  }
  const std::optional<Space3DFileKind> kind = OutputKind(output, parser, err);
  if (!kind) return ExitUsage;
  HeadlessScene3D space;
  if (!palette.empty() && LoadPaletteFile(palette, space.palette3D) != PaletteFileResult::Ok) {
    err << "Помилка завантаження файлу Палітри! - " << palette << '\n';
    return ExitFailed;
  }
  const WorkControl work(output.threads);
  Build3DContext context = space.Context();
  context.work = &work;
  std::string reason;
  if (Open3DFile(context, input, KindOfFile(input, KindOfPath(input)), &reason) != FileDone) {
    err << space.status.Text() << '\n';
    ReportReadReason(err, input, reason);
    return ExitFailed;
  }
  int error = 0;
  const int saved = Save3DFile(context, output.output, *kind, &error);
  err << space.status.Text() << '\n';
  if (saved == FileCannotWrite) ReportWriteReason(err, output.output, error);
  if (saved == FileOutOfMemory) ReportWriteReason(err, output.output, ENOMEM);
  return saved == FileDone ? ExitOk : ExitFailed;
}

}  // namespace lw::cli
