#include <ostream>

#include "Commands.h"

namespace lw::cli {

int RunProbe(Args, std::istream&, std::ostream&, std::ostream& err) {
  err << "linewright-cli: 'probe' is not available yet\n";
  return ExitFailed;
}

}  // namespace lw::cli
