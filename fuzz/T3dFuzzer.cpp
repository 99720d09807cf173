// Binary 3D figures: a sound file replaces the block with a sound figure; anything
// else leaves the block exactly as it was.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ModelCheck.h"
#include "document/Palette.h"
#include "scene3d/T3dFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lw;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static const Palette palette = StartupPalette();
  G3dBlock block;
  G3dObject& existing = AppendObject(block, "kept");
  AppendPoint(existing, 1.0f, 2.0f, 3.0f);
  const G3dObject* const kept = &existing;
  if (ReadT3d(bytes, block, palette) != T3dResult::Read) {
    if (block.objects.size() != 1 || block.objects[0].get() != kept || kept->points.size() != 1 ||
        block.colourSet) {
      std::abort();
    }
    return 0;
  }
  fuzz::CheckBlock(block);
  return 0;
}
