#include <ostream>

#include "Commands.h"

namespace lw::cli {

int RunInfo3D(Args, std::istream&, std::ostream&, std::ostream& err) {
  err << "linewright-cli: 'info3d' is not available yet\n";
  return ExitFailed;
}

}  // namespace lw::cli
