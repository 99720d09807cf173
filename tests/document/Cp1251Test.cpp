#include "document/Cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace lw {
namespace {

TEST(Cp1251, EveryByteComesBackUnchanged) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string utf8;
  Cp1251ToUtf8(all, utf8);
  std::string back;
  ASSERT_TRUE(Utf8ToCp1251(utf8, back));
  EXPECT_EQ(back, all);
}

struct Cp1251Case {
  const char* utf8;
  const char* cp1251;
};

TEST(Cp1251, UkrainianLettersAndSymbolsHaveTheirBytes) {
  const Cp1251Case cases[] = {
      {"Вісь Х", "\xC2\xB3\xF1\xFC \xD5"},
      {"ЄєІіЇїҐґ", "\xAA\xBA\xB2\xB3\xAF\xBF\xA5\xB4"},
      {"Ёё№€–«»", "\xA8\xB8\xB9\x88\x96\xAB\xBB"},
      {"АЯая", "\xC0\xDF\xE0\xFF"},
      {"sin(x)", "sin(x)"},
  };
  for (const auto& c : cases) {
    std::string bytes;
    ASSERT_TRUE(Utf8ToCp1251(c.utf8, bytes)) << c.utf8;
    EXPECT_EQ(bytes, c.cp1251) << c.utf8;
    std::string utf8;
    Cp1251ToUtf8(bytes, utf8);
    EXPECT_EQ(utf8, c.utf8);
  }
}

TEST(Cp1251, TextsWithoutBytesAreRefused) {
  const char* refused[] = {
      "x\xE2\x88\x9A",     // the square-root sign has no byte
      "\xE4\xB8\xAD",      // a CJK character
      "\xF0\x9F\x98\x80",  // an emoji
      "\xC0\xB0",          // an overlong spelling of '0'
      "\xD0",              // a cut-off sequence
      "\xFF",              // not UTF-8 at all
  };
  for (const char* text : refused) {
    std::string bytes;
    EXPECT_FALSE(Utf8ToCp1251(text, bytes)) << text;
    EXPECT_FALSE(IsStorableText(text));
  }
}

TEST(Cp1251, StorableTextsAreShortSingleLines) {
  EXPECT_TRUE(IsStorableText(""));
  EXPECT_TRUE(IsStorableText(std::string(998, 'x')));
  EXPECT_FALSE(IsStorableText(std::string(999, 'x')));
  // Cyrillic letters are two bytes in UTF-8 but one in the file.
  std::string cyrillic;
  for (int i = 0; i < 998; ++i) cyrillic += "ї";
  EXPECT_TRUE(IsStorableText(cyrillic));
  EXPECT_FALSE(IsStorableText(cyrillic + "ї"));
  EXPECT_FALSE(IsStorableText("a\nb"));
  // A CR at the end would read back as part of a CR LF line end; inside it is kept.
  EXPECT_FALSE(IsStorableText("a\r"));
  EXPECT_TRUE(IsStorableText("a\rb"));
}

}  // namespace
}  // namespace lw
