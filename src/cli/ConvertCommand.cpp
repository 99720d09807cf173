// linewright-cli convert: a 3D file opened as the open command does (normals,
// centring) and written in the format the output's name (or --format) says.
#include <ostream>
#include <string>

#include "Commands.h"
#include "FileKinds.h"
#include "G3dFile.h"
#include "HeadlessScene3D.h"
#include "Scene3DCommands.h"

namespace lw::cli {
namespace {

void PrintConvertUsage(std::ostream& out) {
  out << "Usage: linewright-cli convert IN -o OUT [--format NAME] [--palette FILE.plt]\n"
         "                              [--threads N]\n\n"
         "Opens a 3D file as the program's open command does (normals are computed and\n"
         "the figure is centred) and writes it. Each file's format is the one its\n"
         "extension names: .t3d (read only), .stl, .obj, .ply, .glb, .gltf and .3mf\n"
         "(read only); any other name is DXF. --format names the output's format\n"
         "instead: "
      << kWritableFormats
      << ". Colour numbers of DXF and .t3d files are\n"
         "looked up in the 3D palette: the program's start-up palette, or the given\n"
         "palette file.\n"
      << ThreadsUsage;
}

}  // namespace

int RunConvert(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  std::string input, output, palette, format;
  int threads = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help") {
      PrintConvertUsage(out);
      return ExitOk;
    }
    if ((arg == "-o" || arg == "--output") && i + 1 < args.size()) {
      output = args[++i];
    } else if (arg == "--palette" && i + 1 < args.size()) {
      palette = args[++i];
    } else if (arg == "--format" && i + 1 < args.size()) {
      format = args[++i];
    } else if (arg == "--threads" && i + 1 < args.size() && ParseThreads(args[i + 1], threads)) {
      ++i;
    } else if (arg.starts_with("-") || !input.empty()) {
      err << "linewright-cli convert: unexpected argument '" << arg << "'\n\n";
      PrintConvertUsage(err);
      return ExitUsage;
    } else {
      input = arg;
    }
  }
  if (input.empty() || output.empty()) {
    err << "linewright-cli convert: an input file and -o OUT are needed\n\n";
    PrintConvertUsage(err);
    return ExitUsage;
  }
  const std::optional<Space3DFileKind> kind = OutputKind(output, format, err);
  if (!kind) {
    PrintConvertUsage(err);
    return ExitUsage;
  }
  HeadlessScene3D space;
  if (!palette.empty() && LoadPaletteFile(palette, space.palette3D) != PaletteFileResult::Ok) {
    err << "Помилка завантаження файлу Палітри! - " << palette << '\n';
    return ExitFailed;
  }
  const WorkControl work(threads);
  Build3DContext context = space.Context();
  context.work = &work;
  if (Open3DFile(context, input, KindOfPath(input)) != FileDone) {
    err << space.status.Text() << '\n';
    return ExitFailed;
  }
  const int saved = Save3DFile(context, output, *kind);
  err << space.status.Text() << '\n';
  return saved == FileDone ? ExitOk : ExitFailed;
}

}  // namespace lw::cli
