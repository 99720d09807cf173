#include <ostream>

#include "Commands.h"

namespace lw::cli {

int RunConvert(Args, std::istream&, std::ostream&, std::ostream& err) {
  err << "linewright-cli: 'convert' is not available yet\n";
  return ExitFailed;
}

}  // namespace lw::cli
