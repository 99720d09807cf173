#include "document/Palette.h"

#include <gtest/gtest.h>

#include "TempDir.h"

namespace lw {
namespace {

using testing::ReadAll;
using testing::TempDir;
using testing::WriteAll;

// Entry i holds the colour i + 1 in every channel, so moved entries are recognisable.
Palette Numbered() {
  Palette p;
  for (int i = 0; i < PaletteEntries; ++i) {
    const auto v = static_cast<Colour>(i + 1) & 0xFF;
    p.Set(i, v | (v << 8) | (v << 16));
  }
  return p;
}

int NumberOf(const Palette& p, int entry) {
  return static_cast<int>(p.At(entry) & 0xFF) - 1;
}

TEST(Palette, RandomizeTakesThreeValuesPerEntryInRgbOrder) {
  PaletteRandom random(7);
  PaletteRandom expected(7);
  Palette p;
  RandomizePalette(p, random);
  for (int i = 0; i < PaletteEntries; ++i) {
    const auto r = static_cast<Colour>(expected.Next() & 0xFF);
    const auto g = static_cast<Colour>(expected.Next() & 0xFF);
    const auto b = static_cast<Colour>(expected.Next() & 0xFF);
    ASSERT_EQ(p.At(i), r | (g << 8) | (b << 16)) << i;
  }
  // The generator moved on by exactly 768 values.
  EXPECT_EQ(random.Next(), expected.Next());
}

TEST(Palette, GeneratorStaysInRange) {
  PaletteRandom random;
  int maximum = 0;
  for (int i = 0; i < 100000; ++i) {
    const int v = random.Next();
    ASSERT_GE(v, 0);
    maximum = std::max(maximum, v);
  }
  EXPECT_EQ(maximum, 32767);
}

TEST(Palette, StartUpPaletteIsTheSecondFillOfAnUnseededGenerator) {
  PaletteRandom random;
  Palette first;
  RandomizePalette(first, random);
  Palette second;
  RandomizePalette(second, random);
  EXPECT_EQ(StartupPalette(), second);
  EXPECT_NE(StartupPalette(), first);
  EXPECT_EQ(StartupPalette(), StartupPalette());
}

TEST(Palette, FillStretchesOrRepeatsTheFirstColours) {
  const struct {
    int count;
    bool alternate;
    int entry;
    int source;
  } cases[] = {
      {2, false, 0, 0},     {2, false, 128, 0}, {2, false, 129, 1},     {2, false, 255, 1},
      {3, false, 85, 0},    {3, false, 86, 1},  {3, false, 171, 1},     {3, false, 172, 2},
      {1, false, 200, 0},   {1, true, 200, 0},  {2, true, 0, 0},        {2, true, 1, 1},
      {2, true, 255, 1},    {3, true, 254, 2},  {200, false, 255, 127}, {200, false, 2, 1},
      {258, false, 129, 1},  // only the low byte counts: 258 fills as 2
  };
  for (const auto& c : cases) {
    Palette p = Numbered();
    FillPalette(p, c.count, c.alternate);
    EXPECT_EQ(NumberOf(p, c.entry), c.source)
        << "count " << c.count << " alternate " << c.alternate << " entry " << c.entry;
  }
}

TEST(Palette, FillWithLowByteZeroChangesNothing) {
  for (const int count : {0, 256, 512}) {
    for (const bool alternate : {false, true}) {
      Palette p = Numbered();
      FillPalette(p, count, alternate);
      EXPECT_EQ(p, Numbered());
    }
  }
}

TEST(Palette, EntrySelectionArithmetic) {
  EXPECT_EQ(PaletteEntryAt(200, 40), 44);
  EXPECT_EQ(PaletteEntryAt(0, 0), 0);
  EXPECT_EQ(PaletteEntryAt(255, 255), 255);
  EXPECT_EQ(PaletteEntryAt(15, 15), 0);
  EXPECT_EQ(PaletteEntryAt(16, 16), 17);
  EXPECT_EQ(SelectedPaletteEntry(300), 44);
  EXPECT_EQ(SelectedPaletteEntry(255), 255);
  EXPECT_EQ(SelectedPaletteEntry(256), 0);
}

TEST(Palette, ColourValueIsRedPlusGreenAndBlueShifted) {
  Palette p;
  p.bytes[3] = 0x11;
  p.bytes[4] = 0x22;
  p.bytes[5] = 0x33;
  EXPECT_EQ(p.At(1), 0x332211u);
  EXPECT_EQ(p.At(257), 0x332211u);
}

TEST(Palette, SaveThenLoadRestoresTheSameBytes) {
  TempDir dir;
  const std::string path = dir.File("a.plt");
  const Palette saved = StartupPalette();
  ASSERT_EQ(SavePaletteFile(path, saved), PaletteFileResult::Ok);
  EXPECT_EQ(ReadAll(path).size(), PaletteFileBytes);
  Palette loaded = Numbered();
  ASSERT_EQ(LoadPaletteFile(path, loaded), PaletteFileResult::Ok);
  EXPECT_EQ(loaded, saved);
}

TEST(Palette, ShortFileReplacesOnlyItsBytesAndLongFileOnly768) {
  TempDir dir;
  WriteAll(dir.File("short.plt"), std::string(4, '\x7F'));
  Palette p = Numbered();
  ASSERT_EQ(LoadPaletteFile(dir.File("short.plt"), p), PaletteFileResult::Ok);
  EXPECT_EQ(p.At(0), 0x7F7F7Fu);
  EXPECT_EQ(p.At(1), 0x020202u | 0x7Fu);
  EXPECT_EQ(p.At(2), 0x030303u);

  WriteAll(dir.File("long.plt"), std::string(2000, '\x05'));
  p = Numbered();
  ASSERT_EQ(LoadPaletteFile(dir.File("long.plt"), p), PaletteFileResult::Ok);
  EXPECT_EQ(p.At(255), 0x050505u);
}

TEST(Palette, FileFailures) {
  TempDir dir;
  Palette p = Numbered();
  EXPECT_EQ(LoadPaletteFile(dir.File("none.plt"), p), PaletteFileResult::CannotRead);
  EXPECT_EQ(p, Numbered());
  EXPECT_EQ(SavePaletteFile(dir.File("none/a.plt"), p), PaletteFileResult::CannotWrite);
}

}  // namespace
}  // namespace lw
