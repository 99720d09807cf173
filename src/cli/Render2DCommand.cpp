#include <ostream>

#include "Commands.h"

namespace lw::cli {

int RunRender2D(Args, std::istream&, std::ostream&, std::ostream& err) {
  err << "linewright-cli: 'render2d' is not available yet\n";
  return ExitFailed;
}

}  // namespace lw::cli
