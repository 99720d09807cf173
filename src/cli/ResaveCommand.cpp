#include <ostream>

#include "Commands.h"

namespace lw::cli {

int RunResave(Args, std::istream&, std::ostream&, std::ostream& err) {
  err << "linewright-cli: 'resave' is not available yet\n";
  return ExitFailed;
}

}  // namespace lw::cli
