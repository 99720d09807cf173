// linewright-cli build3d: "build all" of the 3D menu on an empty 3D space, then the
// 3D space saved in the format the output's name (or --format) says.
#include <cerrno>
#include <ostream>
#include <string>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/FileKinds.h"
#include "document/SettingsFile.h"
#include "scene3d/G3dFile.h"
#include "scene3d/HeadlessScene3D.h"
#include "scene3d/Scene3DCommands.h"
#include "scene3d/SurfaceBuilder.h"

namespace lw::cli {
namespace {

void PrintBuild3DUsage(std::ostream& out) {
  out << "Usage: linewright-cli build3d DOC.lwf -o OUT [--format NAME] [--threads N]\n\n"
         "Builds every 3D graph of the document as \"build all\" does on an empty 3D\n"
         "space (with the document's 3D appearance options: axes, letters, colour) and\n"
         "writes the 3D space in the format the output's extension names (.stl, .obj,\n"
         ".ply, .glb; DXF for any other name) or --format names: "
      << kWritableFormats
      << ".\n"
         "The status texts go to standard error; a refused parameter or a file that\n"
         "cannot be read or written exits with 1.\n"
      << ThreadsUsage;
}

std::string LoadFailure(FileResult result, const std::string& path) {
  return result == FileResult::UnknownFormat ? "Невідомий формат Файлу! - " + path
                                             : "Помилка завантаження файлу! - " + path;
}

}  // namespace

int RunBuild3D(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  std::string document;
  Space3DOutput output;
  CommandParser parser("build3d", PrintBuild3DUsage);
  parser.App().add_option("document", document);
  AddSpace3DOutput(parser, output);
  if (const std::optional<int> exit = parser.Parse(args, out, err)) return *exit;
  if (document.empty() || output.output.empty()) {
    return parser.Refuse("a document and -o OUT are needed", err);
  }
  const std::optional<Space3DFileKind> kind = OutputKind(output, parser, err);
  if (!kind) return ExitUsage;
  HeadlessScene3D space;
  const FileResult loaded = LoadSettingsFile(document, space.document);
  if (loaded != FileResult::Ok) {
    err << LoadFailure(loaded, document) << '\n';
    return ExitFailed;
  }
  const WorkControl work(output.threads);
  Build3DContext context = space.Context();
  context.work = &work;
  const bool built = BuildAll3D(context);
  err << space.status.Text() << '\n';
  if (!built) {
    const auto& graphs = space.document.Graphs3D;
    if (const auto refusal = CheckGrids(context.params, graphs, AllGraphs3D(graphs.Count()))) {
      err << "linewright-cli build3d: " << refusal->reason << '\n';
    }
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
