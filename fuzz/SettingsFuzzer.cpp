// The settings file as LoadSets reads it: any bytes either become a whole document
// or leave the document untouched. A document that was read and can be stored again
// must read back equal, and its build parameters go through validation as a build
// would take them.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/BuildParameters.h"
#include "document/Feedback.h"
#include "document/SettingsFormat.h"
#include "formula/FormulaParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lw;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Document document;
  const Document before = document;
  if (DecodeSettings(bytes, document) != SettingsDecodeResult::Ok) {
    if (!(document == before)) std::abort();
    return 0;
  }
  std::string stored;
  if (EncodeSettings(document, stored) == SettingsEncodeResult::Ok) {
    Document reread;
    if (DecodeSettings(stored, reread) != SettingsDecodeResult::Ok || !(reread == document)) {
      std::abort();
    }
  }
  RecordingStatus status;
  FormulaParser explicitParser, poleParser, surfaceParser;
  Params2D params2D;
  if (ValidateParams2D(document.Params, params2D, explicitParser, status)) {
    BindConstants2D(document.Params, explicitParser, poleParser);
  }
  Params3D params3D;
  ValidateParams3D(document.Params, params3D, surfaceParser, status);
  return 0;
}
