// Every reader of outside input against the same kinds of hostile input: deep
// nesting, huge counts, endless lines, NUL bytes, bytes that mean nothing in the
// code page, truncation. Each must answer with its own result (and so its status
// text) and leave the document, the palette and the 3D space as they were.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "TempDir.h"
#include "app/DocumentSession.h"
#include "app/StatusTexts.h"
#include "document/OptionsFile.h"
#include "document/Palette.h"
#include "document/SettingsFile.h"
#include "document/SettingsFormat.h"
#include "formula/FormulaParser.h"
#include "scene3d/DxfFormat.h"
#include "scene3d/G3dFile.h"
#include "scene3d/Scene3DCommands.h"

namespace lw {
namespace {

using namespace std::string_literals;
using testing::TempDir;
using testing::WriteAll;

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

// ---- Formulas -------------------------------------------------------------------

struct FormulaCase {
  const char* name;
  std::string text;
  int code;  // NoFormulaError for a value
};

TEST(HostileFormula, EveryPathRefusesOrEvaluatesWithoutCrashing) {
  const std::vector<FormulaCase> cases = {
      {"100000 open parentheses", Repeat("(", 100000) + "X", SyntaxError},
      {"nesting one past the limit", Repeat("(", 257) + "X" + Repeat(")", 257), SyntaxError},
      {"nesting through functions", Repeat("SIN(", 300) + "X" + Repeat(")", 300), SyntaxError},
      {"a number a megabyte long", std::string(1 << 20, '7'), SyntaxError},
      {"a name a megabyte long", std::string(1 << 20, 'Q'), SyntaxError},
      {"a megabyte of sums", Repeat("X+", 1 << 19) + "X", NoFormulaError},
      {"a megabyte of closing parentheses", "X" + std::string(1 << 20, ')'), SyntaxError},
      {"NUL ends the text", "1+2\0+*"s, NoFormulaError},
      {"NUL alone", "\0"s, NotAnExpression},
      {"code-page bytes that are no token", "\x98\xFF\xC0", NotAnExpression},
      {"code-page bytes after a value", "X\x98\xFF", NoFormulaError},
      {"exponent beyond any double", "1E99999999", NoFormulaError},
      {"only operators", "*/%^", SyntaxError},
      {"empty", "", NotAnExpression},
  };
  for (const FormulaCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = c.text;
    FormulaParser::Normalize(text);
    FormulaParser byText;
    byText.SetVariable("X", 2.0);
    byText.Evaluate(text);
    EXPECT_EQ(byText.ErrorCode(), c.code);
    DivisionTrackingParser compiled;
    compiled.SetVariable("X", 2.0);
    compiled.Compile(text);
    compiled.EvaluateCompiled();
    EXPECT_EQ(compiled.ErrorCode(), c.code);
  }
}

// ---- The settings file, through the open command ----------------------------------

class RecordingUi : public DocumentUi {
 public:
  PromptAnswer AskToSaveChanges() override { return PromptAnswer::No; }
  std::optional<std::string> ChooseFileToOpen() override { return std::nullopt; }
  std::optional<std::string> ChooseFileToSave() override { return std::nullopt; }
  void DocumentReplaced() override { ++replaced; }
  void CaptionChanged(const std::string&) override {}
  int replaced = 0;
};

std::string SampleSettings() {
  Document d;
  d.Params.Constants2D = {"A=2"};
  d.Graphs2D.Append("X^2", PlotP{255, Function, 0, Equal});
  d.Graphs3D.Append("SIN(X)*COS(Y)", PlotP3d{65280, 0});
  std::string bytes;
  EXPECT_EQ(EncodeSettings(d, bytes), SettingsEncodeResult::Ok);
  return bytes;
}

// The sample with line `index` (from 0) replaced: 26 is the count of 2D constants,
// 30 a colour, 52 the count of 2D graphs, 53 the first formula, 57 the count of 3D
// graphs.
std::string WithLine(std::size_t index, const std::string& line) {
  std::string bytes = SampleSettings();
  std::size_t start = 0;
  for (std::size_t i = 0; i < index; ++i) start = bytes.find('\n', start) + 1;
  const std::size_t end = bytes.find('\n', start);
  EXPECT_NE(end, std::string::npos);
  return bytes.substr(0, start) + line + bytes.substr(end);
}

struct FileCase {
  const char* name;
  std::string bytes;
  bool loads;
};

TEST(HostileSettings, DamagedFilesSayUnknownFormatAndKeepTheDocument) {
  const std::string sample = SampleSettings();
  const std::vector<FileCase> cases = {
      {"empty file", "", false},
      {"only the magic line", "LWF\n", false},
      {"truncated in the middle", sample.substr(0, sample.size() / 2), false},
      {"truncated by one byte", sample.substr(0, sample.size() - 1), false},
      {"2D graph count of 2^31-1", WithLine(52, "2147483647"), false},
      {"negative constant count", WithLine(26, "-1"), false},
      {"3D graph count beyond 32 bits", WithLine(57, "99999999999"), false},
      {"a formula of two megabytes", WithLine(53, std::string(2 << 20, 'x')), false},
      {"a file of nine megabytes", sample + std::string(9 << 20, ' '), false},
      {"NUL bytes instead of a colour", WithLine(30, "\0\0\0"s), false},
      {"NUL bytes inside a formula", WithLine(53, "X\0^2"s), true},
      {"bytes the code page leaves undefined", WithLine(53, "\x98\x98"), true},
      {"the magic of something else", "\x89PNG\r\n\x1A\n" + sample, false},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    Document document;
    document.Graphs2D.Append("kept", PlotP{});
    const Document before = document;
    RecordingStatus status;
    RecordingUi ui;
    DocumentSession session(document, status, ui, dir.File(""));
    const std::string path = dir.File("hostile.lwf");
    WriteAll(path, c.bytes);
    EXPECT_EQ(session.LoadSets(path), c.loads);
    if (c.loads) {
      EXPECT_EQ(status.Text(), "Завантаження - " + path + " - Окей");
    } else {
      EXPECT_EQ(status.Text(), "Невідомий формат Файлу! - " + path);
      EXPECT_EQ(document, before);
      EXPECT_EQ(ui.replaced, 0);
      EXPECT_EQ(session.CurrentFileName(), "");
    }
  }
}

TEST(HostileSettings, UnreadablePathsSayTheyCannotBeRead) {
  TempDir dir;
  Document document;
  document.Graphs2D.Append("kept", PlotP{});
  const Document before = document;
  RecordingStatus status;
  RecordingUi ui;
  DocumentSession session(document, status, ui, dir.File(""));
  for (const std::string& path :
       {dir.File("missing.lwf"), dir.File(""), dir.File(std::string(5000, 'n'))}) {
    EXPECT_FALSE(session.LoadSets(path));
    EXPECT_EQ(status.Text(), "Помилка завантаження файлу! - " + path);
    EXPECT_EQ(document, before);
  }
}

// ---- The options file -------------------------------------------------------------

TEST(HostileOptions, DamagedFilesGiveTheDefaults) {
  Options saved;
  saved.DocumentPath = "/home/ira/a.lwf";
  const std::string good = EncodeOptions(saved);
  const std::vector<FileCase> cases = {
      {"empty", "", false},
      {"truncated", good.substr(0, good.size() / 2), false},
      {"placement beyond 32 bits", "99999999999\n" + good.substr(good.find('\n') + 1), false},
      {"NUL bytes for the switches",
       "0\n0\n0\n0\n" + std::string(13, '\0') + good.substr(good.find("\n/")), true},
      {"a path of two megabytes", good.substr(0, good.find("/home")) + std::string(2 << 20, 'p'),
       false},
      {"binary noise", Repeat("\xFF\x00\x98\r"s, 1000), false},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.name);
    Options options;
    options.Left = 77;
    const Options before = options;
    EXPECT_EQ(DecodeOptions(c.bytes, options), c.loads);
    if (!c.loads) {
      EXPECT_EQ(options, before);
    }
    TempDir dir;
    WriteAll(dir.File("Linewright.dat"), c.bytes);
    const Options read = ReadOptionsFile(dir.File("Linewright.dat"));
    if (!c.loads) {
      EXPECT_EQ(read, Options{});
    }
  }
}

// ---- The palette file -------------------------------------------------------------

TEST(HostilePalette, FilesOfAnySizeReadAtMostTheTable) {
  TempDir dir;
  const Palette start = StartupPalette();
  struct PaletteCase {
    const char* name;
    std::string bytes;
    std::size_t replaced;  // leading bytes taken from the file
  };
  const std::vector<PaletteCase> cases = {
      {"empty", "", 0},
      {"truncated", std::string(100, '\0'), 100},
      {"sixteen megabytes", std::string(16 << 20, '\x98'), PaletteFileBytes},
  };
  for (const PaletteCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File("p.plt");
    WriteAll(path, c.bytes);
    Palette palette = start;
    const PaletteFileResult result = LoadPaletteFile(path, palette);
    EXPECT_EQ(result, PaletteFileResult::Ok);
    EXPECT_EQ(PaletteLoadedText(path, result), "Завантаження Палітри - " + path + " - Окей");
    for (std::size_t i = 0; i < PaletteFileBytes; ++i) {
      ASSERT_EQ(palette.bytes[i], i < c.replaced ? std::uint8_t(c.bytes[i]) : start.bytes[i]) << i;
    }
  }
  for (const std::string& path : {dir.File("missing.plt"), dir.File("")}) {
    Palette palette = start;
    const PaletteFileResult result = LoadPaletteFile(path, palette);
    EXPECT_EQ(result, PaletteFileResult::CannotRead);
    EXPECT_EQ(PaletteLoadedText(path, result), "Помилка завантаження файлу Палітри! - " + path);
    EXPECT_EQ(palette, start);
  }
}

// ---- The 3D files -----------------------------------------------------------------

// A block with one object and one point, to see whether a read replaced it.
void Seed(G3dBlock& block) {
  block.objects.clear();
  AppendPoint(AppendObject(block, "kept"), 1.0f, 2.0f, 3.0f);
}

bool Untouched(const G3dBlock& block) {
  return block.objects.size() == 1 && block.objects[0]->name == "kept" &&
         block.objects[0]->points.size() == 1;
}

void ExpectSound(const G3dBlock& block) {
  for (const auto& object : block.objects) {
    for (std::size_t t = 0; t < object->triangles.size(); ++t) {
      for (const G3dVertex& v : object->triangles[t].corners) {
        ASSERT_GE(v.point, 0);
        ASSERT_LT(static_cast<std::size_t>(v.point), object->points.size());
      }
    }
  }
}

std::string U32(std::uint32_t v) {
  std::string out;
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

std::string T3dHeader(std::uint32_t triangles, std::uint32_t points, char version = 1) {
  return "T3D"s + version + '\0' + "\x0A\x14\x1E" + '\0' + U32(triangles) + U32(points) +
         std::string(24, '\x55');
}

std::string T3dPoints(int n) {
  std::string out;
  for (int i = 0; i < n * 3; ++i) out += U32(0x3F800000u);  // 1.0f
  return out;
}

TEST(HostileT3d, DamagedFiguresSayUnknownFormatAndKeepTheSpace) {
  const std::string oneTriangle =
      T3dHeader(1, 3) + T3dPoints(3) + "\x03" + U32(0) + U32(1) + U32(2);
  const std::vector<FileCase> cases = {
      {"empty", "", false},
      {"NUL bytes only", std::string(4096, '\0'), false},
      {"truncated header", oneTriangle.substr(0, 20), false},
      {"truncated after the points", oneTriangle.substr(0, oneTriangle.size() - 5), false},
      {"point count 2^32-1", T3dHeader(0, 0xFFFFFFFFu) + T3dPoints(3), false},
      {"triangle count 2^32-1", T3dHeader(0xFFFFFFFFu, 3) + T3dPoints(3), false},
      {"index past the points", T3dHeader(1, 3) + T3dPoints(3) + "\x03" + U32(0) + U32(1) + U32(3),
       false},
      {"index that is negative as a signed number",
       T3dHeader(1, 3) + T3dPoints(3) + "\x03" + U32(0) + U32(1) + U32(0x80000000u), false},
      {"unknown version", T3dHeader(1, 3, 2) + oneTriangle.substr(41), false},
      {"the sound figure", oneTriangle, true},
  };
  const Palette palette = StartupPalette();
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    G3dBlock block;
    Seed(block);
    G3dFile file(&block, &palette);
    const std::string path = dir.File("f.t3d");
    WriteAll(path, c.bytes);
    const int result = file.ReadT3d(path);
    EXPECT_EQ(result, c.loads ? FileDone : FileUnknownFormat);
    EXPECT_EQ(Read3DFileStatus(result, path),
              c.loads ? "Завантаження - " + path + " - Окей" : "Невідомий формат Файлу! - " + path);
    if (c.loads) {
      ExpectSound(block);
    } else {
      EXPECT_TRUE(Untouched(block));
    }
  }
}

std::string DxfFace() {
  return "0\nSECTION\n2\nENTITIES\n0\n3DFACE\n8\nL\n10\n0\n20\n0\n30\n0\n11\n1\n21\n0\n31\n0\n"
         "12\n0\n22\n1\n32\n0\n13\n0\n23\n1\n33\n0\n";
}

std::string EmptySpaceAsDxf() {
  G3dBlock empty;
  return WriteDxf(empty);
}

// Drawings, however damaged, load into a sound block; texts that are no drawing at
// all (no section) say so and keep the space.
const FileCase kDxfCases[] = {
    {"empty", "", false},
    {"NUL_bytes_only", std::string(4096, '\0'), false},
    {"blank_lines_only", std::string(4096, '\n'), false},
    {"a_binary_3D_figure", T3dHeader(1, 3) + T3dPoints(3) + "\x03" + U32(0) + U32(1) + U32(2),
     false},
    {"a_text_of_formulas", "SIN(X)\r\nX^2+Y^2=1\r\nENTITIES\r\n3DFACE\r\n", false},
    {"entities_without_a_section", "0\nENTITIES\n0\nLINE\n8\nL\n10\n1\n0\nEOF\n", false},
    {"the_space_written_empty", EmptySpaceAsDxf(), true},
    {"a_section_with_no_entities", "0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nEOF\n", true},
    {"a_face_without_a_section", DxfFace().substr(DxfFace().find("0\n3DFACE")) + "0\nEOF\n", false},
    {"a_face_after_blank_pairs", "\n\n" + DxfFace().substr(DxfFace().find("0\n3DFACE")) + "0\n",
     false},
    {"half_a_face", DxfFace().substr(0, DxfFace().size() / 2), true},
    {"one_face", DxfFace() + "0\nEOF\n", true},
    {"20000_faces",
     "0\nSECTION\n2\nENTITIES\n" + Repeat(DxfFace().substr(DxfFace().find("0\n3DFACE")), 20000),
     true},
    {"a_4_MB_line", DxfFace() + std::string(4 << 20, 'x') + "\n0\nEOF\n", true},
    {"a_long_layer_name_and_a_huge_number",
     "0\nSECTION\n2\nENTITIES\n0\n3DFACE\n8\n" + std::string(100000, '\x98') + "\n10\n1e999\n",
     true},
    {"huge_group_codes",
     "0\nSECTION\n2\nENTITIES\n0\n3DFACE\n99999999999999999999999\n1\n62\n-99999999999\n", true},
    {"50000_layers",
     "0\r\nSECTION\r\n2\r\nTABLES\r\n0\r\nTABLE\r\n2\r\nLAYER\r\n" + Repeat("2\r\nX\r\n", 50000),
     true},
};

class HostileDxf : public ::testing::TestWithParam<FileCase> {};

TEST_P(HostileDxf, DrawingsLoadSoundOtherTextsSayUnknownFormat) {
  const FileCase& c = GetParam();
  const Palette palette = StartupPalette();
  TempDir dir;
  G3dBlock block;
  Seed(block);
  G3dFile file(&block, &palette);
  const std::string path = dir.File("f.dxf");
  WriteAll(path, c.bytes);
  const int result = file.ReadDxf(path);
  EXPECT_EQ(result, c.loads ? FileDone : FileUnknownFormat);
  EXPECT_EQ(Read3DFileStatus(result, path),
            c.loads ? "Завантаження - " + path + " - Окей" : "Невідомий формат Файлу! - " + path);
  if (c.loads) {
    EXPECT_FALSE(Untouched(block));
    ExpectSound(block);
  } else {
    EXPECT_TRUE(Untouched(block));
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, HostileDxf, ::testing::ValuesIn(kDxfCases), test::CaseName{});

TEST(HostileDxfPath, UnreadablePathSaysItCannotBeRead) {
  const Palette palette = StartupPalette();
  G3dBlock block;
  Seed(block);
  G3dFile file(&block, &palette);
  const std::string missing = "/nonexistent/f.dxf";
  const int result = file.ReadDxf(missing);
  EXPECT_EQ(result, FileCannotRead);
  EXPECT_EQ(Read3DFileStatus(result, missing), "Помилка завантаження файлу! - " + missing);
  EXPECT_TRUE(Untouched(block));
}

}  // namespace
}  // namespace lw
