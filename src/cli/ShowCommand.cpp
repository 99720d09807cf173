#include <ostream>

#include "Commands.h"

namespace lw::cli {

int RunShow(Args, std::istream&, std::ostream&, std::ostream& err) {
  err << "linewright-cli: 'show' is not available yet\n";
  return ExitFailed;
}

}  // namespace lw::cli
