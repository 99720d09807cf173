#include <ostream>

#include "Commands.h"

namespace lw::cli {

int RunBuild3D(Args, std::istream&, std::ostream&, std::ostream& err) {
  err << "linewright-cli: 'build3d' is not available yet\n";
  return ExitFailed;
}

}  // namespace lw::cli
