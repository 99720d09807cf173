#include "document/SettingsFile.h"

#include "document/FileIo.h"
#include "document/SettingsFormat.h"

namespace lw {
namespace {

// Far beyond any document a person types (thousands of graphs of full-length
// formulas); a bigger file is not one, and every line of it may become a text
// object, so reading it whole could exhaust memory.
constexpr std::size_t kMaxSettingsBytes = 8u << 20;

}  // namespace

FileResult LoadSettingsFile(const std::string& path, Document& document) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, kMaxSettingsBytes + 1)) return FileResult::CannotRead;
  if (bytes.size() > kMaxSettingsBytes ||
      DecodeSettings(bytes, document) != SettingsDecodeResult::Ok) {
    return FileResult::UnknownFormat;
  }
  return FileResult::Ok;
}

FileResult SaveSettingsFile(const std::string& path, const Document& document, int* error) {
  std::string bytes;
  if (EncodeSettings(document, bytes) != SettingsEncodeResult::Ok) {
    if (error != nullptr) *error = 0;
    return FileResult::CannotWrite;
  }
  return WriteFileAtomically(path, bytes, error) ? FileResult::Ok : FileResult::CannotWrite;
}

}  // namespace lw
