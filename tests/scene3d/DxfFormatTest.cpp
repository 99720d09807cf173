#include "scene3d/DxfFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "CaseNames.h"
#include "ModelChecks.h"
#include "document/Palette.h"

namespace lw {
namespace {

std::string Crlf(std::string_view lfText) {
  return std::regex_replace(std::string(lfText), std::regex("\n"), "\r\n");
}

constexpr std::string_view kHeaderLf =
    "0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n   153\n";

Palette TestPalette() {
  Palette palette;
  for (int i = 0; i < 256; ++i) {
    palette.Set(i, static_cast<Colour>(i) | static_cast<Colour>(255 - i) << 8 | 0x070000u);
  }
  return palette;
}

void AddTriangle(G3dObject& object, std::array<std::array<float, 3>, 3> corners) {
  G3dTriangle& t = AppendTriangle(object);
  for (int k = 0; k < 3; ++k) {
    const auto& c = corners[static_cast<std::size_t>(k)];
    AddCorner(t, k, object, c[0], c[1], c[2]);
  }
}

std::array<float, 3> CornerAt(const G3dObject& object, std::size_t triangle, int corner) {
  const G3dPoint& p = object.points[static_cast<std::size_t>(
      object.triangles[triangle].corners[static_cast<std::size_t>(corner)].point)];
  return {p.x, p.y, p.z};
}

TEST(DxfWrite, OneTriangleExactly) {
  G3dBlock block;
  AddTriangle(AppendObject(block, UnnamedObjectName), {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
  const std::string expected = Crlf(std::string(kHeaderLf) +
                                    " 0\nLAYER\n 2\nUnititled0\n70\n0\n 62\n15\n 6\nCONTINUOUS\n"
                                    "0\nENDTAB\n 0\nENDSEC\n 0\nSECTION\n 2\nENTITIES\n"
                                    " 0\n3DFACE\n 8\nUnititled0\n"
                                    " 10\n0.000000\n 20\n0.000000\n 30\n0.000000\n"
                                    " 11\n1.000000\n 21\n0.000000\n 31\n0.000000\n"
                                    " 12\n0.000000\n 22\n1.000000\n 32\n0.000000\n"
                                    " 13\n0.000000\n 23\n1.000000\n 33\n0.000000\n"
                                    " 62\n128\n"
                                    "0\nENDSEC\n 0\nEOF");
  EXPECT_EQ(WriteDxf(block), expected);
}

TEST(DxfWrite, EmptyBlockAndNumberForms) {
  EXPECT_EQ(WriteDxf(G3dBlock{}),
            Crlf(std::string(kHeaderLf) +
                 "0\nENDTAB\n 0\nENDSEC\n 0\nSECTION\n 2\nENTITIES\n0\nENDSEC\n 0\nEOF"));
  G3dBlock block;
  G3dObject& object = AppendObject(block, "L");
  object.r = 200;
  AddTriangle(object, {{{-1.5f, 123456.25f, 1e-7f}, {-0.0f, 2, 3}, {0.1f, 0, 0}}});
  const std::string text = WriteDxf(block);
  EXPECT_NE(text.find(" 10\r\n-1.500000\r\n 20\r\n123456.250000\r\n 30\r\n0.000000\r\n"),
            std::string::npos);
  EXPECT_NE(text.find(" 12\r\n0.100000\r\n"), std::string::npos);
  EXPECT_NE(text.find(" 62\r\n200\r\n0\r\nENDSEC"), std::string::npos);
}

// Figures whose text falls into pieces differently: none or one face, objects over
// several pieces, stored and grid faces, an empty object among others, a name of the
// longest kind, and numbers of every length, so that a piece put out of order, cut
// or joined wrongly shows.
struct WritePart {
  std::string name;
  int faces = 0;    // stored faces
  int columns = 0;  // a grid of this many columns and as many rows
};

struct WriteFigure {
  const char* name;
  std::vector<WritePart> parts;
};

const WriteFigure kWriteFigures[] = {
    {"Empty", {}},
    {"OneFace", {{"Graph_1", 1}}},
    {"StoredOverManyPieces", {{"Graph_1", 20000}}},
    {"GridOverManyPieces", {{"Graph_1", 0, 120}}},
    {"SeveralObjects",
     {{"Axes", 9}, {"Empty"}, {"Graph_1", 0, 70}, {std::string(127, 'L'), 5000}, {"Graph_2", 3}}},
};

G3dBlock BuildFigure(const WriteFigure& figure) {
  G3dBlock block;
  int seed = 0;
  for (const WritePart& part : figure.parts) {
    G3dObject& object = AppendObject(block, part.name);
    for (int i = 0; i < part.faces; ++i, ++seed) {
      const auto f = static_cast<float>(seed);
      G3dTriangle& t = AppendTriangle(object);
      AddCorner(t, 0, object, f * 0.37f, -f, 1e-3f * f);
      AddCorner(t, 1, object, f * f, 1.5f, -0.0f);
      AddCorner(t, 2, object, -1e6f / (f + 1), 2, f);
      t.corners[0].r = static_cast<std::uint8_t>(seed);
    }
    if (part.columns == 0) continue;
    for (int row = 0; row < part.columns; ++row) {
      for (int column = 0; column < part.columns; ++column, ++seed) {
        AppendPoint(object, static_cast<float>(column) * 0.1f, static_cast<float>(row) * -7.3f,
                    static_cast<float>(seed % 977) * 123.456f);
      }
    }
    const auto side = static_cast<std::uint32_t>(part.columns);
    object.triangles.SetGrid({side, side, 10, 20, 30});
  }
  return block;
}

struct Pieces {
  std::string text;
  int count = 0;
  std::size_t largest = 0;
};

Pieces WriteInPieces(const G3dBlock& block, const WorkControl* work) {
  Pieces out;
  EXPECT_TRUE(WriteDxf(
      block,
      [&](std::string_view piece) {
        out.text += piece;
        ++out.count;
        out.largest = std::max(out.largest, piece.size());
        return true;
      },
      work));
  return out;
}

class DxfWriteThreads : public testing::TestWithParam<WriteFigure> {};

// The text is the same byte for byte however many threads format it, and it never
// needs more than a few megabytes at once.
TEST_P(DxfWriteThreads, SameTextOnAnyNumberOfThreads) {
  const G3dBlock block = BuildFigure(GetParam());
  const WorkControl one(1);
  const Pieces reference = WriteInPieces(block, &one);
  std::size_t faces = 0;
  for (const auto& object : block.objects) faces += object->triangles.size();
  std::size_t written = 0;
  for (std::size_t at = 0; (at = reference.text.find("3DFACE", at)) != std::string::npos; ++at) {
    ++written;
  }
  EXPECT_EQ(written, faces);
  EXPECT_TRUE(reference.text.ends_with("0\r\nENDSEC\r\n 0\r\nEOF"));
  // Beside the header and the trailer, the faces of a piece take about a megabyte.
  EXPECT_EQ(reference.count > 3, faces > 10000) << reference.count << " pieces";
  for (const int threads : {2, 4, 0}) {
    const WorkControl work(threads);
    const Pieces text = WriteInPieces(block, &work);
    EXPECT_TRUE(text.text == reference.text) << threads << " threads";
    EXPECT_LE(text.largest, std::size_t{4} << 20) << threads << " threads";
  }
  EXPECT_TRUE(WriteDxf(block) == reference.text);
}

INSTANTIATE_TEST_SUITE_P(Figures, DxfWriteThreads, testing::ValuesIn(kWriteFigures),
                         test::CaseName{});

// Nothing more is offered once the sink refuses a piece or a stop is requested, on
// one thread and on several.
TEST(DxfWrite, EndsAtARefusalOrAStop) {
  const G3dBlock block = BuildFigure(kWriteFigures[2]);
  for (const int threads : {1, 2, 4}) {
    const WorkControl work(threads);
    int offered = 0;
    EXPECT_FALSE(WriteDxf(
        block, [&](std::string_view) { return ++offered < 3; }, &work));
    EXPECT_EQ(offered, 3) << threads << " threads";
    WorkControl stopped(threads);
    offered = 0;
    EXPECT_FALSE(WriteDxf(
        block,
        [&](std::string_view) {
          if (++offered == 2) stopped.RequestStop();
          return true;
        },
        &stopped));
    EXPECT_EQ(offered, 2) << threads << " threads";
  }
}

TEST(DxfLines, EveryLineEndConvention) {
  const std::vector<std::string> ends = {"\n", "\r", "\r\n", "\n\r"};
  for (const std::string& end : ends) {
    const std::string text = "a" + end + end + "bc" + end + "d";
    DxfLineReader reader(text);
    EXPECT_EQ(reader.ReadLine(), "a");
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_EQ(reader.ReadLine(), "bc");
    EXPECT_EQ(reader.ReadLine(), "d");
    EXPECT_TRUE(reader.AtEnd());
  }
  const std::string text = std::string(300, 'x') + "\nnext";
  DxfLineReader longLine(text);
  EXPECT_EQ(longLine.ReadLine().size(), DxfLineReader::MaxLineLength);
  EXPECT_EQ(longLine.ReadLine(), "next");
}

TEST(DxfLines, KeywordIsAPrefixTest) {
  EXPECT_TRUE(MatchesKeyword("ENTITIES", "ENTITIES"));
  EXPECT_TRUE(MatchesKeyword("ENT", "ENTITIES"));
  EXPECT_TRUE(MatchesKeyword("", "ENTITIES"));
  EXPECT_FALSE(MatchesKeyword("ENTITIESX", "ENTITIES"));
  EXPECT_FALSE(MatchesKeyword(" ENTITIES", "ENTITIES"));
}

TEST(DxfRead, WrittenFileReadsBackReversedWithTheExtraObject) {
  G3dBlock block;
  G3dObject& object = AppendObject(block, "Surface");
  object.r = 3;
  AddTriangle(object, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
  AddTriangle(object, {{{1, 0, 0}, {1, 1, 0}, {0, 1, 0}}});
  const Palette palette = TestPalette();
  G3dBlock read;
  ReadDxf(WriteDxf(block), read, palette);
  ASSERT_EQ(read.objects.size(), 2u);
  EXPECT_EQ(read.objects[0]->name, "Surface");
  EXPECT_EQ(read.objects[1]->name, "ENTITIES");
  EXPECT_TRUE(read.objects[1]->triangles.empty());
  const G3dObject& back = *read.objects[0];
  ASSERT_EQ(back.triangles.size(), 2u);
  EXPECT_EQ(back.points.size(), 4u);  // equal corners share points
  EXPECT_EQ(CornerAt(back, 0, 0), (std::array<float, 3>{0, 1, 0}));
  EXPECT_EQ(CornerAt(back, 0, 2), (std::array<float, 3>{0, 0, 0}));
  const G3dVertex v = back.triangles[1].corners[1];
  EXPECT_EQ(v.r, 3);  // palette entry 3
  EXPECT_EQ(v.g, 252);
  EXPECT_EQ(v.b, 7);
}

// Tables with layers A and B, then entities.
std::string Drawing(std::string_view entities) {
  return std::string(
             "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nA\n0\nLAYER\n2\nB\n") +
         "0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + std::string(entities) +
         "0\nENDSEC\n0\nEOF\n";
}

std::string Face(std::string_view layer, std::array<std::array<float, 3>, 4> p, int colour,
                 bool fourth = true) {
  std::string s = "0\n3DFACE\n8\n" + std::string(layer) + "\n";
  for (int k = 0; k < (fourth ? 4 : 3); ++k) {
    for (int a = 0; a < 3; ++a) {
      s += std::to_string(10 * (a + 1) + k) + "\n" +
           std::to_string(p[static_cast<std::size_t>(k)][static_cast<std::size_t>(a)]) + "\n";
    }
  }
  return s + "62\n" + std::to_string(colour) + "\n";
}

struct FaceCountCase {
  const char* name;
  std::string text;
  std::vector<std::size_t> triangles;  // per object
};

TEST(DxfRead, FacesLayersAndObjects) {
  const std::array<std::array<float, 3>, 4> quad{{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}};
  const std::array<std::array<float, 3>, 4> tri{{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 0}}};
  const FaceCountCase cases[] = {
      {"real quad", Drawing(Face("A", quad, 1)), {2, 0, 0}},
      {"quad with P3 = P2", Drawing(Face("B", tri, 1)), {0, 1, 0}},
      {"unknown layer goes to the last object", Drawing(Face("Z", tri, 1)), {0, 0, 1}},
      {"layer prefix", Drawing(Face("", tri, 1) + Face("B", quad, 2)), {1, 2, 0}},
      {"layers alternate",
       Drawing(Face("A", tri, 1) + Face("B", tri, 1) + Face("A", tri, 1)),
       {2, 1, 0}},
      {"other entities skipped", Drawing("0\nLINE\n8\nA\n10\n5\n" + Face("A", tri, 1)), {1, 0, 0}},
      {"no layer table", "0\nSECTION\n2\nENTITIES\n" + Face("A", quad, 1) + "0\nEOF\n", {2}},
      {"no entities", "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nA\n", {0}},
      {"last face without a closing group is lost", Drawing("") + Face("A", quad, 1), {0, 0, 0}},
  };
  const Palette palette = TestPalette();
  for (const auto& c : cases) {
    G3dBlock block;
    AppendObject(block, "old");
    ReadDxf(c.text, block, palette);
    ASSERT_EQ(block.objects.size(), c.triangles.size()) << c.name;
    for (std::size_t i = 0; i < c.triangles.size(); ++i) {
      EXPECT_EQ(block.objects[i]->triangles.size(), c.triangles[i]) << c.name << " object " << i;
    }
  }
}

TEST(DxfRead, QuadSplitsAlongTheP3P1Diagonal) {
  G3dBlock block;
  ReadDxf(Drawing(Face("A", {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}}, 5)), block,
          TestPalette());
  const G3dObject& a = *block.objects[0];
  ASSERT_EQ(a.triangles.size(), 2u);
  EXPECT_EQ(CornerAt(a, 0, 0), (std::array<float, 3>{0, 1, 0}));  // P3, P2, P1
  EXPECT_EQ(CornerAt(a, 0, 1), (std::array<float, 3>{1, 1, 0}));
  EXPECT_EQ(CornerAt(a, 0, 2), (std::array<float, 3>{1, 0, 0}));
  EXPECT_EQ(CornerAt(a, 1, 0), (std::array<float, 3>{0, 1, 0}));  // P3, P1, P0
  EXPECT_EQ(CornerAt(a, 1, 2), (std::array<float, 3>{0, 0, 0}));
  EXPECT_EQ(a.points.size(), 4u);
  EXPECT_EQ(a.triangles[1].corners[0].r, 5);
}

TEST(DxfRead, LineEndsDoNotMatter) {
  const std::string lf = Drawing(Face("A", {{{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 3, 0}}}, 9));
  const Palette palette = TestPalette();
  G3dBlock reference;
  ReadDxf(lf, reference, palette);
  for (const char* end : {"\r", "\r\n", "\n\r"}) {
    G3dBlock block;
    ReadDxf(std::regex_replace(lf, std::regex("\n"), end), block, palette);
    ASSERT_EQ(block.objects.size(), reference.objects.size()) << end;
    EXPECT_EQ(block.objects[0]->triangles.size(), 2u);
    EXPECT_EQ(WriteDxf(block), WriteDxf(reference));
  }
}

TEST(DxfRead, OddValues) {
  // Blanks before codes and numbers, signs, exponents, junk, and colour numbers
  // outside 0..255 (taken modulo 256, negative ones included).
  const std::string entities =
      "  0\n3DFACE\n 8\nA\n 10\n  +1.5\n 20\n-2e1\n 30\nabc\n 11\n1\n 21\n1\n 31\n1\n"
      " 12\n2\n 22\n2\n 32\n2junk\n 62\n-1\n"
      "0\n3DFACE\n62\n300\n";
  G3dBlock block;
  ReadDxf(Drawing(entities), block, TestPalette());
  const G3dObject& a = *block.objects[0];
  ASSERT_EQ(a.triangles.size(), 2u);  // the second face repeats the first's corners
  EXPECT_EQ(CornerAt(a, 0, 2), (std::array<float, 3>{1.5f, -20.0f, 0.0f}));
  EXPECT_EQ(CornerAt(a, 0, 0), (std::array<float, 3>{2.0f, 2.0f, 2.0f}));
  EXPECT_EQ(a.triangles[0].corners[0].r, 255);
  EXPECT_EQ(a.triangles[1].corners[0].r, 44);
}

TEST(DxfRead, FacesBeforeAnyLayerGetAnObject) {
  G3dBlock block;
  ReadDxf("0\nSECTION\n2\nENTITIES\n0\n3DFACE\n10\n1\n0\nEOF\n", block, TestPalette());
  ASSERT_EQ(block.objects.size(), 1u);
  EXPECT_EQ(block.objects[0]->name, UnnamedObjectName);
  EXPECT_EQ(block.objects[0]->triangles.size(), 1u);
}

TEST(DxfRead, HostileTextLoadsWithoutHarm) {
  std::string noise;
  for (int i = 0; i < 2000; ++i) noise += static_cast<char>((i * 7919) % 256);
  const std::string texts[] = {"",
                               "\n",
                               "\r\r\r",
                               noise,
                               Drawing(noise),
                               Drawing(std::string(10000, '\n')),
                               "2\nLAYER\n2\n" + noise};
  for (const std::string& text : texts) {
    G3dBlock block;
    ReadDxf(text, block, TestPalette());
    for (auto& object : block.objects) {
      EXPECT_LE(object->name.size(), MaxObjectNameLength);
      ExpectConsistent(*object);
    }
  }
}

TEST(DxfRead, AStopKeepsTheBlock) {
  G3dBlock figure;
  AddTriangle(AppendObject(figure, "F"), {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
  const std::string text = WriteDxf(figure);
  WorkControl work(1);
  work.RequestStop();
  G3dBlock block;
  AppendObject(block, "old");
  EXPECT_EQ(ReadDxf(text, block, TestPalette(), &work), DxfReadResult::Stopped);
  ASSERT_EQ(block.objects.size(), 1u);
  EXPECT_EQ(block.objects[0]->name, "old");
  EXPECT_EQ(ReadDxf(text, block, TestPalette()), DxfReadResult::Read);
  EXPECT_EQ(block.objects[0]->name, "F");
}

}  // namespace
}  // namespace lw
