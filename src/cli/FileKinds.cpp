#include "FileKinds.h"

#include <ostream>

namespace lw::cli {

std::optional<Space3DFileKind> OutputKind(const std::string& output, const std::string& format,
                                          std::ostream& err) {
  const std::optional<Space3DFileKind> kind =
      format.empty() ? std::optional(KindOfPath(output)) : KindNamed(format);
  if (!kind) {
    err << "linewright-cli: unknown format '" << format << "'\n\n";
    return std::nullopt;
  }
  if (!CanSave3D(*kind)) {
    err << "linewright-cli: " << (format.empty() ? output : format)
        << " names a format that is only read; write one of " << kWritableFormats << "\n\n";
    return std::nullopt;
  }
  return kind;
}

}  // namespace lw::cli
