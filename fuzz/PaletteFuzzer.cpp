// The palette loader on files of any length and content: the leading bytes the
// file holds replace the table's, the rest stays, and the table saves and loads
// back exactly. The first input byte also drives the fill command.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "document/Palette.h"

namespace {

const std::string& ScratchPath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("lw-fuzz-palette-" + std::to_string(getpid())))
          .string();
  return path;
}

void RemoveScratch() {
  std::error_code ignored;
  std::filesystem::remove(ScratchPath(), ignored);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lw;
  // The path exists before the exit handler is registered, so it outlives it.
  static const bool registered = !ScratchPath().empty() && std::atexit(RemoveScratch) == 0;
  (void)registered;
  {
    std::ofstream out(ScratchPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) std::abort();
  }
  const Palette before = StartupPalette();
  Palette palette = before;
  if (LoadPaletteFile(ScratchPath(), palette) != PaletteFileResult::Ok) std::abort();
  const std::size_t taken = std::min(size, PaletteFileBytes);
  if (!std::equal(data, data + taken, palette.bytes.begin()) ||
      !std::equal(before.bytes.begin() + static_cast<std::ptrdiff_t>(taken), before.bytes.end(),
                  palette.bytes.begin() + static_cast<std::ptrdiff_t>(taken))) {
    std::abort();
  }
  if (size > 0) FillPalette(palette, data[0] | (size > 1 ? data[1] << 8 : 0), size % 2 == 0);
  if (SavePaletteFile(ScratchPath(), palette) != PaletteFileResult::Ok) std::abort();
  Palette reread;
  if (LoadPaletteFile(ScratchPath(), reread) != PaletteFileResult::Ok || !(reread == palette)) {
    std::abort();
  }
  return 0;
}
