// The file half of every format: path <-> bytes. Paths are UTF-8. Writes go through
// AtomicFile.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

#include "document/AtomicFile.h"

namespace lw {

// Reads at most maxBytes from the start of the file; false when it cannot be opened
// or read.
bool ReadFileBytes(const std::string& path, std::string& bytes,
                   std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// The file-name part of a path (no folder).
std::string FileNameOf(const std::string& path);

}  // namespace lw
