// PNG pictures read back by an independent decoder (Qt's) with every pixel intact.
#include "plot2d/PngFormat.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <string>

#include "plot2d/PlotPicture.h"

namespace lw {
namespace {

struct PngCase {
  const char* name;
  int width;
  int height;
  // The colour of pixel (x, y), 0x00BBGGRR.
  Colour (*pixel)(int x, int y);
};

const PngCase kPngCases[] = {
    {"OnePixel", 1, 1, [](int, int) -> Colour { return 0x123456; }},
    {"OneRow", 7, 1, [](int x, int) -> Colour { return Colour(x * 0x252525); }},
    {"OneColumn", 1, 9, [](int, int y) -> Colour { return Colour(0xFF - y * 3); }},
    // Every byte value above and beside every other, so the row filter wraps.
    {"EveryByteDifference", 256, 256,
     [](int x, int y) -> Colour {
       return Colour((x * 7 + y * 13) & 0xFF) * 0x010101u ^ Colour(y);
     }},
    // The largest palette, and one colour more than it holds, seen last.
    {"TwoHundredFiftySixColours", 64, 4,
     [](int x, int y) -> Colour { return Colour(y * 64 + x) * 0x010203u; }},
    {"TwoHundredFiftySevenColours", 257, 2,
     [](int x, int y) -> Colour { return y == 0 ? 0 : Colour(x) * 0x030201u; }},
    // Bands of equal rows, with a palette and without one.
    {"RepeatedRowsFewColours", 50, 40,
     [](int x, int y) -> Colour { return Colour(y / 8) * 0x111111u + Colour(x % 3) * 0x20u; }},
    {"RepeatedRowsManyColours", 300, 40,
     [](int x, int y) -> Colour { return Colour(x) * 0x010101u ^ (Colour(y / 10) << 16); }},
    {"WholePicture", 1600, 1200,
     [](int x, int y) -> Colour {
       return Colour(x & 0xFF) | (Colour(y & 0xFF) << 8) | (Colour((x ^ y) & 0xFF) << 16);
     }},
};

class PngFormatTest : public testing::TestWithParam<PngCase> {};

TEST_P(PngFormatTest, DecodesToTheSamePixels) {
  const PngCase& c = GetParam();
  PlotPicture picture(c.width, c.height);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) picture.SetPixel(x, y, c.pixel(x, y));
  }
  const std::string png = EncodePng(
      c.width, c.height, [&](int y, std::uint8_t* rgb) { picture.RgbRow(y, c.width, rgb); });
  QImage image;
  ASSERT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(png.data()),
                                 static_cast<int>(png.size()), "PNG"));
  ASSERT_EQ(image.width(), c.width);
  ASSERT_EQ(image.height(), c.height);
  EXPECT_FALSE(image.hasAlphaChannel());
  int wrong = 0;
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const QRgb p = image.pixel(x, y);
      const Colour expected = c.pixel(x, y) & 0xFFFFFF;
      const Colour got = Colour(qRed(p)) | (Colour(qGreen(p)) << 8) | (Colour(qBlue(p)) << 16);
      wrong += got != expected;
    }
  }
  EXPECT_EQ(wrong, 0);
}

// The picture's hint about repeated rows spares reading them, never changes a byte.
TEST_P(PngFormatTest, RepeatedRowHintKeepsTheBytes) {
  const PngCase& c = GetParam();
  PlotPicture picture(c.width, c.height);
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) picture.SetPixel(x, y, c.pixel(x, y));
  }
  const auto rows = [&](int y, std::uint8_t* rgb) { picture.RgbRow(y, c.width, rgb); };
  const std::string hinted =
      EncodePng(c.width, c.height, rows, [&](int y) { return picture.RowRepeats(y, c.width); });
  EXPECT_EQ(hinted, EncodePng(c.width, c.height, rows));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PngFormatTest, testing::ValuesIn(kPngCases),
                         [](const testing::TestParamInfo<PngCase>& param) {
                           return std::string(param.param.name);
                         });

TEST(PngFormat, RefusesSizesItCannotEncode) {
  const auto rows = [](int, std::uint8_t*) {};
  EXPECT_TRUE(EncodePng(0, 5, rows).empty());
  EXPECT_TRUE(EncodePng(5, -1, rows).empty());
  EXPECT_TRUE(EncodePng(70000, 1, rows).empty());
}

TEST(PngFormat, RowsBeyondThePictureAreBlack) {
  PlotPicture picture(2, 2);
  picture.Fill(0xFFFFFF);
  std::uint8_t rgb[12];
  picture.RgbRow(1, 4, rgb);
  EXPECT_EQ(rgb[0], 0xFF);
  EXPECT_EQ(rgb[5], 0xFF);
  EXPECT_EQ(rgb[6], 0);
  EXPECT_EQ(rgb[11], 0);
  picture.RgbRow(2, 4, rgb);
  EXPECT_EQ(rgb[0], 0);
}

}  // namespace
}  // namespace lw
