// DXF text of any kind loads into a sound block, which writes out and reads back
// with as many faces.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ModelCheck.h"
#include "document/Palette.h"
#include "scene3d/DxfFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lw;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static const Palette palette = StartupPalette();
  G3dBlock block;
  ReadDxf(text, block, palette);
  fuzz::CheckBlock(block);
  const std::string written = WriteDxf(block);
  G3dBlock reread;
  ReadDxf(written, reread, palette);
  fuzz::CheckBlock(reread);
  if (fuzz::TriangleCount(reread) != fuzz::TriangleCount(block)) std::abort();
  return 0;
}
