// The settings file on disk: path <-> Document, through SettingsFormat.h.
#pragma once

#include <string>

#include "document/Document.h"

namespace lw {

enum class FileResult {
  Ok,
  CannotRead,     // the file cannot be opened or read
  CannotWrite,    // the file cannot be created or written, or a text cannot be stored
  UnknownFormat,  // the file is not a settings file, or is damaged
};

// Replaces document only on success.
FileResult LoadSettingsFile(const std::string& path, Document& document);

// Never leaves a half-written file: on failure the previous file is untouched.
// `error` (when given) receives the errno value of a failed write.
FileResult SaveSettingsFile(const std::string& path, const Document& document,
                            int* error = nullptr);

}  // namespace lw
