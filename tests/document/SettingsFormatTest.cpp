#include "document/SettingsFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace lw {
namespace {

using namespace std::string_literals;

// Written by hand from the layout, byte by byte.
const std::string kDefaultBytes =
    "LWF\n"
    "10\n10\n-20\n20\n-20\n20\nX\nY\n-6\n0.2\n6\n0.1\n-6\n6\nX\nY\n0.4\n0.4\nZ\n0\n0\n-40\n-6\n6\n"
    "0.4\n"
    "0\n"
    "0\n"
    "100110110011016777215\n"
    "65280\n0\n16744703\n"
    "\x01\n0\n-11\nMS Sans Serif\n0\n8\n0000\n"
    "0\n2\n2\n0\n"
    "1\n1\n10\n-10\n10\n100\n100\n100\n"
    "0\n"
    "\n"
    "0\n"s;

const std::string kGoldenBytes =
    "LWF\n"
    "2*P\n10\n-20\n20\n-20\n20\n\xF7\xE0\xF1\nY\n-6\n0.2\n6\n0.1\n-6\n6\nX\nY\n0.4\n0.4\nZ\n0\n0\n"
    "-40\n-6\n6\n0.4\n"
    "3\nA=5\n\nK=2*P\n"
    "0\n"
    "1001111100110"
    "16777215\n"
    "65280\n0\n16744703\n"
    "\xCC\n255\n-13\nArial Cyr\n0\n10\n1100\n"
    "0\n2\n1\n1\n"
    "2\n1\n10\n-10\n10\n100\n100\n50\n"
    "3\n"
    "sin(x)\n255\n\x00\x01\x00\n"
    "x*x+y*y-25\n16711680\n\x01\x00\x04\n"
    "\xE0+y\n-2147483640\n\x02\x00\x00\n"
    "\n"
    "2\n"
    "x*x-y*y\n65280\n\x00\n"
    "sin(x)+z\n123\n\x02\n"s;

Document GoldenDocument() {
  Document d;
  d.Params.Field(ParamField::ScaleX) = "2*P";
  d.Params.Field(ParamField::VarX) = "час";
  d.Params.Constants2D = {"A=5", "", "K=2*P"};
  d.Appearance.ShowGrid = true;
  d.Appearance.Font = LabelFont{204, 255, -13, "Arial Cyr", 0, 10, true, true, false, false};
  d.Appearance.DrawMode3D = 1;
  d.Appearance.MotionType = 1;
  d.Appearance.AxesLineWidth = 2;
  d.Appearance.SensitivityRZ = 50;
  d.Graphs2D.Append("sin(x)", PlotP{255, Function, 1, Equal});
  d.Graphs2D.Append("x*x+y*y-25", PlotP{16711680, Relation, 0, LessOrEqual});
  d.Graphs2D.Append("а+y", PlotP{0x80000008, ColorGamma, 0, Equal});
  d.Graphs3D.Append("x*x-y*y", PlotP3d{65280, ZOfXY});
  d.Graphs3D.Append("sin(x)+z", PlotP3d{123, XOfYZ});
  return d;
}

TEST(SettingsFormat, DefaultDocumentWritesTheTemplateBytes) {
  std::string bytes;
  ASSERT_EQ(EncodeSettings(Document{}, bytes), SettingsEncodeResult::Ok);
  EXPECT_EQ(bytes, kDefaultBytes);
}

TEST(SettingsFormat, GoldenFileReadsAsTheDocument) {
  Document d;
  ASSERT_EQ(DecodeSettings(kGoldenBytes, d), SettingsDecodeResult::Ok);
  EXPECT_EQ(d, GoldenDocument());
}

TEST(SettingsFormat, DocumentWritesTheGoldenFile) {
  std::string bytes;
  ASSERT_EQ(EncodeSettings(GoldenDocument(), bytes), SettingsEncodeResult::Ok);
  EXPECT_EQ(bytes, kGoldenBytes);
}

TEST(SettingsFormat, LoadThenSaveReproducesTheBytes) {
  for (const std::string& original : {kDefaultBytes, kGoldenBytes}) {
    Document d;
    ASSERT_EQ(DecodeSettings(original, d), SettingsDecodeResult::Ok);
    std::string again;
    ASSERT_EQ(EncodeSettings(d, again), SettingsEncodeResult::Ok);
    EXPECT_EQ(again, original);
  }
}

// Every proper prefix of a valid file is damaged: the reader must notice wherever
// it ends, and leave the document exactly as it was.
TEST(SettingsFormat, FileEndingEarlyIsRejectedWhole) {
  const Document before = GoldenDocument();
  for (std::size_t length = 0; length < kGoldenBytes.size(); ++length) {
    Document d = before;
    EXPECT_EQ(DecodeSettings(std::string_view(kGoldenBytes).substr(0, length), d),
              SettingsDecodeResult::UnknownFormat)
        << "length " << length;
    EXPECT_EQ(d, before) << "length " << length;
  }
}

struct Corruption {
  const char* name;
  std::string from;
  std::string to;
};

TEST(SettingsFormat, DamagedFilesAreRejectedWhole) {
  const Corruption cases[] = {
      {"lower-case magic", "LWF\n", "lwf\n"},
      {"magic too short", "LWF\n", "LW\n"},
      {"letters in a count", "3\nA=5", "x\nA=5"},
      {"negative count", "3\nA=5", "-3\nA=5"},
      {"count beyond the data", "3\nA=5", "300000\nA=5"},
      {"count beyond 32 bits", "3\nA=5", "99999999999\nA=5"},
      {"colour beyond 32 bits", "65280\n0\n", "4294967296\n0\n"},
      {"garbage after a number", "16744703\n", "16744703x\n"},
      {"flag line too short", "1001111100110", "10011\n"},
      {"sign without digits",
       "0110"
       "16777215",
       "0110"
       "-"},
      {"2D count beyond the entries", "3\nsin(x)", "4\nsin(x)"},
      {"3D count beyond the entries", "2\nx*x-y*y", "3\nx*x-y*y"},
      {"style flags missing", "1100\n", "11\n"},
      {"raw bytes without a line feed", "\x02\x00\x00\n"s, "\x02\x00\x00\x00"s},
  };
  const Document before = GoldenDocument();
  for (const auto& c : cases) {
    std::string bytes = kGoldenBytes;
    const std::size_t at = bytes.find(c.from);
    ASSERT_NE(at, std::string::npos) << c.name;
    bytes.replace(at, c.from.size(), c.to);
    Document d = before;
    EXPECT_EQ(DecodeSettings(bytes, d), SettingsDecodeResult::UnknownFormat) << c.name;
    EXPECT_EQ(d, before) << c.name;
  }
}

TEST(SettingsFormat, LineLongerThanTheLimitIsRejected) {
  std::string bytes = kGoldenBytes;
  bytes.replace(bytes.find("2*P\n"), 3, std::string(999, '1'));
  Document d;
  EXPECT_EQ(DecodeSettings(bytes, d), SettingsDecodeResult::UnknownFormat);
  bytes = kGoldenBytes;
  bytes.replace(bytes.find("2*P\n"), 3, std::string(998, '1'));
  ASSERT_EQ(DecodeSettings(bytes, d), SettingsDecodeResult::Ok);
  EXPECT_EQ(d.Params.Field(ParamField::ScaleX), std::string(998, '1'));
}

TEST(SettingsFormat, TolerantReadings) {
  struct Case {
    const char* name;
    std::string from;
    std::string to;
  };
  const Case cases[] = {
      {"magic with more after it", "LWF\n", "LWF2\n"},
      {"flag other than 1 reads as off", "1001111100110", "x001111100110"},
      {"blanks before a number", "65280\n0\n", "  65280\n0\n"},
      {"interpolation byte 7 reads as on", "\x00\x01\x00\n"s, "\x00\x07\x00\n"s},
  };
  for (const auto& c : cases) {
    std::string bytes = kGoldenBytes;
    bytes.replace(bytes.find(c.from), c.from.size(), c.to);
    Document d;
    EXPECT_EQ(DecodeSettings(bytes, d), SettingsDecodeResult::Ok) << c.name;
  }
  std::string bytes = kGoldenBytes;
  bytes.replace(bytes.find("1001111100110"), 1, "x");
  Document d;
  ASSERT_EQ(DecodeSettings(bytes, d), SettingsDecodeResult::Ok);
  EXPECT_FALSE(d.Appearance.ShowAxes);
}

TEST(SettingsFormat, CrLfLineEndsAreAccepted) {
  std::string crlf;
  // Raw bytes may be 0x0A themselves, so only the line ends are doubled here: the
  // default file has none.
  for (const char c : kDefaultBytes) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  Document d;
  d.Params.Centering = false;
  ASSERT_EQ(DecodeSettings(crlf, d), SettingsDecodeResult::Ok);
  EXPECT_EQ(d, Document{});
}

TEST(SettingsFormat, RawByteThatLooksLikeALineFeedIsStillAByte) {
  Document d = GoldenDocument();
  d.Graphs2D.Replace(0, "x", PlotP{1, 10, 0, 10});
  d.Graphs3D.Replace(0, "y", PlotP3d{2, 10});
  d.Appearance.Font.Charset = 10;
  std::string bytes;
  ASSERT_EQ(EncodeSettings(d, bytes), SettingsEncodeResult::Ok);
  Document back;
  ASSERT_EQ(DecodeSettings(bytes, back), SettingsDecodeResult::Ok);
  EXPECT_EQ(back, d);
}

TEST(SettingsFormat, TextsTheFileCannotHoldRefuseTheSave) {
  const std::string bad[] = {"x\xE2\x88\x9A", std::string(999, 'x'), "a\nb"};
  for (const std::string& text : bad) {
    for (int where = 0; where < 4; ++where) {
      Document d;
      if (where == 0) d.Params.Field(ParamField::Gradient) = text;
      if (where == 1) d.Params.Constants3D.push_back(text);
      if (where == 2) d.Appearance.Font.FaceName = text;
      if (where == 3) d.Graphs3D.Append(text, PlotP3d{});
      std::string bytes = "untouched";
      EXPECT_EQ(EncodeSettings(d, bytes), SettingsEncodeResult::TextNotStorable) << where;
      EXPECT_EQ(bytes, "untouched");
    }
  }
}

TEST(SettingsFormat, CyrillicAndBlanksSurviveARoundTrip) {
  Document d;
  d.Params.Field(ParamField::VarY) = "  Швидкість ґрунту ";
  d.Params.Constants3D = {"А = 5 ", "Є=ї"};
  d.Graphs2D.Append(" x + ї ", PlotP{7, Function, 0, Equal});
  std::string bytes;
  ASSERT_EQ(EncodeSettings(d, bytes), SettingsEncodeResult::Ok);
  Document back;
  ASSERT_EQ(DecodeSettings(bytes, back), SettingsDecodeResult::Ok);
  EXPECT_EQ(back, d);
}

// Every single-byte change of the golden file either is rejected, leaving the
// document alone, or reads as a document that saves and reads back the same.
TEST(SettingsFormat, AnyChangedByteReadsSafely) {
  const Document before = GoldenDocument();
  const char replacements[] = {'\n', '\r', '0', '9', '-', 'x', ' ', '\0', '\xFF', '\x98'};
  int accepted = 0;
  for (std::size_t at = 0; at < kGoldenBytes.size(); ++at) {
    for (const char replacement : replacements) {
      std::string bytes = kGoldenBytes;
      bytes[at] = replacement;
      Document d = before;
      if (DecodeSettings(bytes, d) != SettingsDecodeResult::Ok) {
        ASSERT_EQ(d, before) << at;
        continue;
      }
      ++accepted;
      std::string again;
      ASSERT_EQ(EncodeSettings(d, again), SettingsEncodeResult::Ok) << at;
      Document back;
      ASSERT_EQ(DecodeSettings(again, back), SettingsDecodeResult::Ok) << at;
      ASSERT_EQ(back, d) << at;
    }
  }
  EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace lw
