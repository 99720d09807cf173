// The file half of every format: path <-> bytes. Paths are UTF-8.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace lw {

// Reads at most maxBytes from the start of the file; false when it cannot be opened
// or read.
bool ReadFileBytes(const std::string& path, std::string& bytes,
                   std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// Writes a temporary file beside path and renames it over path, so a failed write
// leaves the previous file as it was.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// The file-name part of a path (no folder).
std::string FileNameOf(const std::string& path);

}  // namespace lw
