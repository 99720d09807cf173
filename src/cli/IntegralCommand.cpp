#include <ostream>

#include "Commands.h"

namespace lw::cli {

int RunIntegral(Args, std::istream&, std::ostream&, std::ostream& err) {
  err << "linewright-cli: 'integral' is not available yet\n";
  return ExitFailed;
}

}  // namespace lw::cli
