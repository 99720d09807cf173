#include <ostream>

#include "Commands.h"

namespace lw::cli {

int RunEval(Args, std::istream&, std::ostream&, std::ostream& err) {
  err << "linewright-cli: 'eval' is not available yet\n";
  return ExitFailed;
}

}  // namespace lw::cli
