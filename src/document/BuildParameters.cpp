#include "document/BuildParameters.h"

namespace lw {

BuildParameters::BuildParameters()
    : fields{"10", "10", "-20", "20",  "-20", "20", "X", "Y", "-6",  "0.2", "6", "0.1", "-6",
             "6",  "X",  "Y",   "0.4", "0.4", "Z",  "0", "0", "-40", "-6",  "6", "0.4"} {}

}  // namespace lw
