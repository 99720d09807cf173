// The 256-colour table: 768 bytes R, G, B per entry, entry 0 first.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "document/GraphLists.h"

namespace lw {

struct Palette {
  std::array<std::uint8_t, 768> bytes{};

  Colour At(int i) const {
    const auto* p = &bytes[static_cast<std::size_t>(i & 0xFF) * 3];
    return Colour{p[0]} | (Colour{p[1]} << 8) | (Colour{p[2]} << 16);
  }
  void Set(int i, Colour c) {
    auto* p = &bytes[static_cast<std::size_t>(i & 0xFF) * 3];
    p[0] = static_cast<std::uint8_t>(c);
    p[1] = static_cast<std::uint8_t>(c >> 8);
    p[2] = static_cast<std::uint8_t>(c >> 16);
  }
  bool operator==(const Palette&) const = default;
};

// The copy the 3D file readers turn colour numbers into colours with; it changes
// only by an explicit copy from the palette.
using Palette3D = Palette;

inline constexpr int PaletteEntries = 256;
inline constexpr std::size_t PaletteFileBytes = 768;

// The pseudo-random generator behind the palette: values 0..32767. Unseeded it
// starts from 1, so the same sequence comes out at every start.
class PaletteRandom {
 public:
  explicit PaletteRandom(std::uint32_t seed = 1) : state_(seed) {}
  void Seed(std::uint32_t seed) { state_ = seed; }
  int Next() {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  std::uint32_t state_;
};

// Each entry in turn takes the low bytes of three generator values as R, G, B.
void RandomizePalette(Palette& palette, PaletteRandom& random);

// The palette as the program has it at start-up: filled twice from an unseeded
// generator, so it is the same at every start.
Palette StartupPalette();

// Spreads the first (count AND 0xFF) colours over the whole table: repeated one
// after another when alternate is on, else stretched in equal bands. A count whose
// low byte is 0 changes nothing.
void FillPalette(Palette& palette, int count, bool alternate);

// The entry a typed entry number selects (only its low 8 bits count).
inline int SelectedPaletteEntry(int number) {
  return number & 0xFF;
}

// The entry under pixel (x, y) of the 256 x 256 grid of 16 x 16 swatches.
inline int PaletteEntryAt(int x, int y) {
  return ((y & 0xF0) + x / 16) & 0xFF;
}

enum class PaletteFileResult { Ok, CannotRead, CannotWrite };

// Reads at most 768 bytes from the start of the file over the table; a shorter file
// replaces only as many leading bytes as it holds.
PaletteFileResult LoadPaletteFile(const std::string& path, Palette& palette);

// Writes the 768 bytes, replacing the file only when the whole table was written.
PaletteFileResult SavePaletteFile(const std::string& path, const Palette& palette);

}  // namespace lw
