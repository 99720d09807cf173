// Which 3D format a file is, by its first bytes: every format read has a start of
// its own, so a file opened under the wrong type, or named with the wrong extension,
// still goes to the reader that knows it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scene3d/Scene3DCommands.h"

namespace lw {

// The kind the start of a file (its first kilobyte or so, `size` bytes in all) shows;
// `fallback` when the start says nothing clear.
Space3DFileKind KindOfContent(std::string_view head, std::uint64_t size, Space3DFileKind fallback);

// KindOfContent of the file at `path`; `fallback` when it cannot be read.
Space3DFileKind KindOfFile(const std::string& path, Space3DFileKind fallback);

}  // namespace lw
