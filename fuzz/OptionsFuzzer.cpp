// The options file: any bytes either replace every option or none, and options
// that were read are written and read back unchanged apart from what the file
// cannot hold.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/OptionsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lw;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Options options;
  const Options before = options;
  if (!DecodeOptions(bytes, options)) {
    if (!(options == before)) std::abort();
    return 0;
  }
  const std::string stored = EncodeOptions(options);
  Options reread;
  if (!DecodeOptions(stored, reread)) std::abort();
  // The writer is the only judge of what is storable, so a second round trip is exact.
  Options third;
  if (!DecodeOptions(EncodeOptions(reread), third) || !(third == reread)) std::abort();
  return 0;
}
