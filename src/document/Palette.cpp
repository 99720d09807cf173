#include "document/Palette.h"

#include <algorithm>
#include <string_view>

#include "document/FileIo.h"

namespace lw {

void RandomizePalette(Palette& palette, PaletteRandom& random) {
  for (std::uint8_t& byte : palette.bytes) byte = static_cast<std::uint8_t>(random.Next());
}

Palette StartupPalette() {
  Palette palette;
  PaletteRandom random;
  RandomizePalette(palette, random);
  RandomizePalette(palette, random);
  return palette;
}

void FillPalette(Palette& palette, int count, bool alternate) {
  const int n = count & 0xFF;
  if (n == 0) return;
  const Palette source = palette;
  const int band = PaletteEntries / n + 1;
  for (int j = 0; j < PaletteEntries; ++j) {
    palette.Set(j, source.At(alternate ? j % n : j / band));
  }
}

PaletteFileResult LoadPaletteFile(const std::string& path, Palette& palette) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, PaletteFileBytes)) return PaletteFileResult::CannotRead;
  std::copy(bytes.begin(), bytes.end(), palette.bytes.begin());
  return PaletteFileResult::Ok;
}

PaletteFileResult SavePaletteFile(const std::string& path, const Palette& palette) {
  const std::string_view bytes(reinterpret_cast<const char*>(palette.bytes.data()),
                               palette.bytes.size());
  return WriteFileAtomically(path, bytes) ? PaletteFileResult::Ok : PaletteFileResult::CannotWrite;
}

}  // namespace lw
