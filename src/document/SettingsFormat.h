// The settings file (the document) in memory: Document <-> bytes. The file half
// is SettingsFile.h.
#pragma once

#include <string>
#include <string_view>

#include "document/Document.h"

namespace lw {

inline constexpr std::string_view SettingsMagic = "LWF";

enum class SettingsEncodeResult {
  Ok,
  // A text is not representable in code page 1251, is longer than 998 bytes there,
  // or holds a line break; nothing is produced.
  TextNotStorable,
};

enum class SettingsDecodeResult {
  Ok,
  // The first line does not start with "LWF", or the data ends early, holds a
  // malformed number or an impossible count. The document is left as it was.
  UnknownFormat,
};

// On success bytes holds the whole file.
SettingsEncodeResult EncodeSettings(const Document& document, std::string& bytes);

// Replaces document only when the whole of bytes reads correctly.
SettingsDecodeResult DecodeSettings(std::string_view bytes, Document& document);

}  // namespace lw
