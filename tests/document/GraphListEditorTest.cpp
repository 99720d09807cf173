#include "document/GraphListEditor.h"

#include <gtest/gtest.h>

#include "CaseNames.h"

namespace lw {
namespace {

TEST(CleanFormulaText, DropsTrailingOperatorsAndTurnsCommasToPoints) {
  const struct {
    const char* typed;
    const char* stored;
  } cases[] = {
      {"sin(x),", "sin(x)"},
      {"1,5*x+", "1.5*x"},
      {"x^2 ;", "x^2"},
      {"Sin(X)\t\r", "Sin(X)"},
      {"x*(", "x"},
      {"x+y=0>=", "x+y=0"},
      {" ;,.+-<>/*%^$&=!@#|`~(", ""},
      {"", ""},
      {"(x+1)", "(x+1)"},
      {"x+ї", "x+ї"},
      {"-x", "-x"},
  };
  for (const auto& c : cases) EXPECT_EQ(CleanFormulaText(c.typed), c.stored) << c.typed;
}

TEST(DescribeEntry, TextsOf2DEntries) {
  const struct {
    PlotP entry;
    const char* text;
  } cases[] = {
      {{0, Function, 0, Equal}, "Функція."},
      {{0, Function, 1, Equal}, "Функція.Інтерпольована."},
      {{0, Relation, 1, Greater}, "Відношення.Інтерпольоване.Тип : = 0."},
      {{0, Relation, 0, Equal}, "Відношення.Тип : = 0."},
      {{0, Relation, 0, Greater}, "Відношення.Тип : > 0."},
      {{0, Relation, 0, Less}, "Відношення.Тип : < 0."},
      {{0, Relation, 0, GreaterOrEqual}, "Відношення.Тип : >= 0."},
      {{0, Relation, 0, LessOrEqual}, "Відношення.Тип : <= 0."},
      {{0, ColorGamma, 1, Less}, "Гамма кольорів."},
  };
  for (const auto& c : cases) EXPECT_EQ(DescribeEntry(c.entry), c.text);
}

TEST(DescribeEntry, TextsOf3DEntries) {
  EXPECT_EQ(DescribeEntry(PlotP3d{0, ZOfXY}), "Тип виразу : Z = F ( X,Y ) .");
  EXPECT_EQ(DescribeEntry(PlotP3d{0, YOfXZ}), "Тип виразу : Y = F ( X,Z ) .");
  EXPECT_EQ(DescribeEntry(PlotP3d{0, XOfYZ}), "Тип виразу : X = F ( Y,Z ) .");
  // Only the low byte of the form counts.
  EXPECT_EQ(DescribeEntry(PlotP3d{0, 0x102}), "Тип виразу : X = F ( Y,Z ) .");
}

struct ParametricDescriptionCase {
  const char* name;
  std::uint8_t kind;  // 2D kind; 255 for the 3D parametric surface
  std::uint8_t interpolated;
  const char* text;
  const char* label;
};

class ParametricDescriptionTest : public ::testing::TestWithParam<ParametricDescriptionCase> {};

TEST_P(ParametricDescriptionTest, SpellsOutTheFormulasAndRanges) {
  const ParametricDescriptionCase& c = GetParam();
  const std::string label = c.kind == 255
                                ? DescribeEntry(PlotP3d{0, ParametricSurface}, c.text)
                                : DescribeEntry(PlotP{0, c.kind, c.interpolated, Equal}, c.text);
  EXPECT_EQ(label, c.label);
}

const ParametricDescriptionCase kParametricDescriptions[] = {
    {"ParametricCurve", ParametricCurve, 1, "5*COS(T);5*SIN(T);0;2*P",
     "Параметрична крива.Інтерпольована. X = 5*COS(T) ; Y = 5*SIN(T) ; T від 0 до 2*P"},
    {"ParametricDots", ParametricCurve, 0, "T;T*T;-1;1",
     "Параметрична крива. X = T ; Y = T*T ; T від -1 до 1"},
    {"PolarCurve", PolarCurve, 1, "6+2*COS(3*T);0;2*P",
     "Полярна крива.Інтерпольована. R = 6+2*COS(3*T) ; T від 0 до 2*P"},
    {"CurveTextWithoutItsParts", PolarCurve, 0, "SIN(T)", "Полярна крива."},
    {"Surface", 255, 0, "U;V;U*V;0;1;2;3",
     "Тип виразу : Параметрична поверхня. X = U ; Y = V ; Z = U*V ; U від 0 до 1 ; V від 2 до 3"},
    {"SurfaceTextWithoutItsParts", 255, 0, "U*V", "Тип виразу : Параметрична поверхня."},
};

INSTANTIATE_TEST_SUITE_P(Entries, ParametricDescriptionTest,
                         ::testing::ValuesIn(kParametricDescriptions), test::CaseName());

// A list of n entries whose colours are 1..n and texts "f1".."fn".
PlotList2D Numbered(int n) {
  PlotList2D list;
  for (int i = 1; i <= n; ++i) {
    list.Append("f" + std::to_string(i), PlotP{static_cast<Colour>(i), Function, 0, Equal});
  }
  return list;
}

std::string Texts(const PlotList2D& list) {
  std::string all;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    all.append(list.Text(i)).append("/").append(std::to_string(list.At(i).Color)).append(" ");
  }
  return all;
}

TEST(GraphListEditor, CuttingTheOnlyGraphAndPastingItBack) {
  PlotList2D list;
  GraphListEditor2D editor(list);
  ASSERT_TRUE(editor.Add("x*x", PlotP{0xFF, Relation, 0, Less}));
  EXPECT_EQ(editor.Selection(), 0u);
  editor.Cut();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(editor.Selection(), std::nullopt);
  EXPECT_EQ(editor.Description(), (SelectedGraphDescription{0, "Відсутній."}));
  editor.Paste();
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.Text(0), "x*x");
  EXPECT_EQ(list.At(0), (PlotP{0xFF, Relation, 0, Less}));
  EXPECT_EQ(editor.Description(), (SelectedGraphDescription{0xFF, "Відношення.Тип : < 0."}));
}

TEST(GraphListEditor, CutKeepsOrderAndSelectsTheFirst) {
  PlotList2D list = Numbered(4);
  GraphListEditor2D editor(list);
  editor.Select(1);
  editor.Cut();
  EXPECT_EQ(Texts(list), "f1/1 f3/3 f4/4 ");
  EXPECT_EQ(editor.Selection(), 0u);
  EXPECT_EQ(editor.CutText(), "f2");
}

TEST(GraphListEditor, PasteGoesAfterTheSelectionOrAtTheEnd) {
  PlotList2D list = Numbered(4);
  GraphListEditor2D editor(list);
  editor.Select(3);
  editor.Cut();  // f4 in the buffer; f1 f2 f3 left, f1 selected
  editor.Paste();
  EXPECT_EQ(Texts(list), "f1/1 f4/4 f2/2 f3/3 ");
  EXPECT_EQ(editor.Selection(), 0u);
  // The buffer keeps its graph, so it can be pasted again.
  editor.Select(3);
  editor.Paste();
  EXPECT_EQ(Texts(list), "f1/1 f4/4 f2/2 f3/3 f4/4 ");
  EXPECT_EQ(editor.Selection(), 3u);
}

TEST(GraphListEditor, PasteWithoutSelectionAppends) {
  PlotList2D list;
  GraphListEditor2D editor(list);
  editor.Add("a", PlotP{1, Function, 0, Equal});
  editor.Cut();
  PlotList2D other = Numbered(2);
  GraphListEditor2D second(other);
  EXPECT_EQ(second.Selection(), std::nullopt);
  second.Paste();  // its own buffer is empty
  EXPECT_EQ(other.Count(), 2u);
  editor.Paste();
  editor.Paste();
  EXPECT_EQ(Texts(list), "a/1 a/1 ");
}

TEST(GraphListEditor, OperationsWithoutSelectionOrBufferDoNothing) {
  PlotList2D list;
  GraphListEditor2D editor(list);
  EXPECT_TRUE(editor.CutBufferEmpty());
  EXPECT_EQ(editor.CutEntry().Kind, EmptyCutBufferMark);
  editor.Cut();
  editor.Paste();
  EXPECT_FALSE(editor.Edit("x", PlotP{}));
  EXPECT_TRUE(list.Empty());
}

TEST(GraphListEditor, EditReplacesTextAndEntryOfTheSelection) {
  PlotList2D list = Numbered(3);
  GraphListEditor2D editor(list);
  editor.Select(2);
  ASSERT_TRUE(editor.Edit("2,5*x-", PlotP{9, ColorGamma, 0, Equal}));
  EXPECT_EQ(Texts(list), "f1/1 f2/2 2.5*x/9 ");
  EXPECT_EQ(list.At(2).Kind, ColorGamma);
  EXPECT_EQ(editor.Selection(), 2u);
  EXPECT_EQ(editor.Description().Label, "Гамма кольорів.");
}

TEST(GraphListEditor, TextsTheFileCannotHoldAreRefused) {
  PlotList2D list = Numbered(1);
  GraphListEditor2D editor(list);
  editor.Select(0);
  EXPECT_FALSE(editor.Add(std::string(999, 'x'), PlotP{}));
  EXPECT_FALSE(editor.Edit("x\xE2\x88\x9A", PlotP{}));
  EXPECT_EQ(Texts(list), "f1/1 ");
  // Trailing junk does not count against the limit: it is cleaned away first.
  EXPECT_TRUE(editor.Add(std::string(998, 'x') + "++", PlotP{}));
}

TEST(GraphListEditor, NewEntryTakesThePaletteColourOfTheCount) {
  Palette palette;
  for (int i = 0; i < PaletteEntries; ++i) palette.Set(i, static_cast<Colour>(1000 + i));
  PlotList2D list = Numbered(2);
  GraphListEditor2D editor(list);
  EXPECT_EQ(editor.NewEntry(palette), (PlotP{1002, Function, 1, Equal}));
  PlotList3D list3D;
  GraphListEditor3D editor3D(list3D);
  EXPECT_EQ(editor3D.NewEntry(palette), (PlotP3d{1000, ZOfXY}));
  for (int i = 0; i < 257; ++i) list3D.Append("z", PlotP3d{});
  EXPECT_EQ(editor3D.NewEntry(palette).Color, 1001u);
}

TEST(GraphListEditor, ThreeDListKeepsItsOwnBufferAndDescription) {
  PlotList3D list;
  GraphListEditor3D editor(list);
  EXPECT_EQ(editor.CutEntry().Form, EmptyCutBufferMark);
  editor.Add("x*y", PlotP3d{5, YOfXZ});
  editor.Add("x+y", PlotP3d{6, ZOfXY});
  EXPECT_EQ(editor.Description(), (SelectedGraphDescription{5, "Тип виразу : Y = F ( X,Z ) ."}));
  editor.Cut();
  editor.Paste();
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.Text(1), "x*y");
  EXPECT_EQ(list.At(1), (PlotP3d{5, YOfXZ}));
}

TEST(GraphListEditor, ShowSelectedAfterTheListWasReplaced) {
  PlotList2D list = Numbered(3);
  GraphListEditor2D editor(list);
  editor.Select(2);
  list = Numbered(3);  // a document load
  editor.ListReplaced();
  EXPECT_EQ(editor.Selection(), 0u);
  list = Numbered(1);
  editor.Select(0);
  list.Clear();
  editor.ShowSelectedGraph();
  EXPECT_EQ(editor.Selection(), std::nullopt);
  EXPECT_EQ(editor.Description(), (SelectedGraphDescription{0, "Відсутній."}));
}

}  // namespace
}  // namespace lw
