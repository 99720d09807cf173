// Readable grid rows in test failure messages.
#pragma once

#include <ostream>

#include "analysis/ScanValues.h"

namespace lw {

inline void PrintTo(const ScanRow& row, std::ostream* out) {
  *out << "{" << row.expression << " | " << row.value << "}";
}

}  // namespace lw
