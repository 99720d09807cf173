#include "cli/FileKinds.h"

#include <ostream>

namespace lw::cli {

void AddSpace3DOutput(CommandParser& parser, Space3DOutput& options) {
  parser.App().add_option("-o,--output", options.output);
  parser.App().add_option("--format", options.format);
  parser.AddThreads(options.threads);
}

std::optional<Space3DFileKind> OutputKind(const Space3DOutput& options, const CommandParser& parser,
                                          std::ostream& err) {
  const std::string& format = options.format;
  const std::optional<Space3DFileKind> kind =
      format.empty() ? std::optional(KindOfPath(options.output)) : KindNamed(format);
  if (!kind) {
    parser.Refuse("unknown format '" + format + "'", err);
    return std::nullopt;
  }
  if (!CanSave3D(*kind)) {
    parser.Refuse((format.empty() ? options.output : format) +
                      " names a format that is only read; write one of " + kWritableFormats,
                  err);
    return std::nullopt;
  }
  return kind;
}

}  // namespace lw::cli
