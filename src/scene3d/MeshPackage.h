// 3MF files are zip packages. The mesh library's own zip reader knows neither the
// Zip64 records other tools write nor how to fail without ending its process, so the
// reader process opens the package with libzip (Zip64, every entry's CRC checked) and
// hands the library the same entries in a plain zip it reads.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lw {

// The package's entries, stored uncompressed in a plain zip; nullopt with the reason
// ("3MF: zip entry 3D/3dmodel.model is damaged") when the package cannot be read or
// an entry would grow out of all proportion to its compressed size.
std::optional<std::string> PlainPackage(std::string_view bytes, std::string& reason);

}  // namespace lw
