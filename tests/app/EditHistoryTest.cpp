// Undo and redo of the program's document, edit by edit as the windows make them:
// each kind of edit undoes to a document whose saved file is byte for byte the one
// before it, and redoes to the edited one; the windows hear of it; a slider's step
// rebuilds again when undone; opening a document starts a fresh history.
#include "app/EditHistory.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "CaseNames.h"
#include "TempDir.h"
#include "app/ConstantSliders.h"
#include "app/Program.h"
#include "document/SettingsFile.h"
#include "document/SettingsFormat.h"

namespace lw {
namespace {

using testing::ReadAll;
using testing::TempDir;

// The saved file and the palette: what undo must put back exactly.
std::string SavedBytes(const Program& program) {
  std::string bytes;
  EXPECT_EQ(EncodeSettings(program.Doc(), bytes), SettingsEncodeResult::Ok);
  bytes.append(program.Pal().bytes.begin(), program.Pal().bytes.end());
  return bytes;
}

// A document with something in every part, as the history starts from it.
void FillDocument(Program& program) {
  DocumentEditor& e = program.Edits();
  e.SetConstants(false, {"A=3", "K=2*P"});
  e.SetConstants(true, {"B=1"});
  e.AddGraph2D("sin(x)*A", PlotP{0x0000FF, Function, 1, Equal});
  e.AddGraph2D("x^2+y^2-9", PlotP{0x00FF00, Relation, 0, Less});
  e.AddGraph2D("x*y", PlotP{0xFF0000, ColorGamma, 0, Equal});
  e.AddGraph3D("x*y", PlotP3d{0x123456, ZOfXY});
  e.AddGraph3D("x+z", PlotP3d{0x654321, YOfXZ});
  program.History().Forget();
}

struct EditCase {
  std::string name;
  std::function<void(Program&, const std::string& folder)> edit;
  std::size_t steps;
};

class EveryEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(EveryEdit, UndoesToTheSameBytesAndRedoesToTheEdited) {
  TempDir dir;
  Program program(dir.File(""));
  FillDocument(program);
  const std::string before = SavedBytes(program);
  GetParam().edit(program, dir.File(""));
  const std::string after = SavedBytes(program);
  ASSERT_NE(after, before) << "the edit changed nothing";
  EXPECT_EQ(program.History().Steps().UndoCount(), GetParam().steps);
  for (std::size_t i = 0; i < GetParam().steps; ++i) EXPECT_TRUE(program.History().Undo());
  EXPECT_EQ(SavedBytes(program), before);
  EXPECT_FALSE(program.History().Undo());
  while (program.History().Redo()) {
  }
  EXPECT_EQ(SavedBytes(program), after);
}

void Type(Program& p, ParamField field, std::initializer_list<const char*> texts) {
  for (const char* text : texts) p.Edits().SetField(field, text);
}

AppearanceSettings Look(const Program& p) {
  return p.Doc().Appearance;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EveryEdit,
    ::testing::Values(
        EditCase{"field_typed_key_by_key",
                 [](Program& p, auto&) {
                   Type(p, ParamField::XStart, {"-", "-5", "-50"});
                 },
                 1},
        EditCase{"two_fields_typed",
                 [](Program& p, auto&) {
                   Type(p, ParamField::XEnd, {"3", "30"});
                   Type(p, ParamField::StepZ, {"0", "0.", "0.2"});
                 },
                 2},
        EditCase{"build_flags",
                 [](Program& p, auto&) { p.Edits().SetBuildFlags(false, false, true); }, 1},
        EditCase{"constants_line_typed",
                 [](Program& p, auto&) {
                   for (const char* line : {"A=", "A=4", "A=45"})
                     p.Edits().SetConstants(false, {line, "K=2*P"});
                 },
                 1},
        EditCase{"3D_constants", [](Program& p, auto&) { p.Edits().SetConstants(true, {}); }, 1},
        EditCase{"add_2D_graph",
                 [](Program& p, auto&) {
                   p.Edits().AddGraph2D("cos(x)", PlotP{0x808080, Function, 0, Equal});
                 },
                 1},
        EditCase{"add_3D_graph",
                 [](Program& p, auto&) {
                   p.Edits().AddGraph3D("y", PlotP3d{1, XOfYZ});
                 },
                 1},
        EditCase{"edit_2D_graph_in_its_dialog",
                 [](Program& p, auto&) {
                   p.Edits().Select2D(1);
                   p.Edits().EditGraph2D("x^2-y", PlotP{0x00FFFF, Relation, 1, GreaterOrEqual});
                 },
                 1},
        EditCase{"edit_3D_graph_in_its_dialog",
                 [](Program& p, auto&) {
                   p.Edits().Select3D(1);
                   p.Edits().EditGraph3D("x-z", PlotP3d{0x777777, XOfYZ});
                 },
                 1},
        EditCase{"cut_2D_graph",
                 [](Program& p, auto&) {
                   p.Edits().Select2D(1);
                   p.Edits().CutGraph2D();
                 },
                 1},
        EditCase{"reorder_2D_graphs_by_cut_and_paste",
                 [](Program& p, auto&) {
                   p.Edits().Select2D(0);
                   p.Edits().CutGraph2D();
                   p.Edits().Select2D(1);
                   p.Edits().PasteGraph2D();
                 },
                 2},
        EditCase{"cut_and_paste_3D_graph",
                 [](Program& p, auto&) {
                   p.Edits().CutGraph3D();
                   p.Edits().PasteGraph3D();
                 },
                 2},
        EditCase{"appearance_colour",
                 [](Program& p, auto&) {
                   AppearanceSettings a = Look(p);
                   a.BackgroundColor = 0x203040;
                   p.Edits().SetAppearance(a);
                 },
                 1},
        EditCase{"label_font",
                 [](Program& p, auto&) {
                   AppearanceSettings a = Look(p);
                   a.Font.FaceName = "DejaVu Serif";
                   a.Font.Bold = true;
                   p.Edits().SetAppearance(a);
                 },
                 1},
        EditCase{"line_width_typed",
                 [](Program& p, auto&) {
                   AppearanceSettings a = Look(p);
                   for (int width : {1, 12}) {
                     a.GridLineWidth = width + 1;
                     p.Edits().SetAppearance(a);
                   }
                 },
                 1},
        EditCase{"3D_drawing_mode_and_motion",
                 [](Program& p, auto&) {
                   AppearanceSettings a = Look(p);
                   a.DrawMode3D = 0;
                   a.MotionType = 1;
                   p.Edits().SetAppearance(a);
                 },
                 1},
        EditCase{"palette_entry", [](Program& p, auto&) { p.SetPaletteEntry(7, 0xABCDEF); }, 1},
        EditCase{"palette_fill", [](Program& p, auto&) { p.FillPalette(3, true); }, 1},
        EditCase{"palette_randomised", [](Program& p, auto&) { p.RandomizePalette(); }, 1},
        EditCase{"palette_loaded",
                 [](Program& p, const std::string& folder) {
                   Palette grey;
                   for (int i = 0; i < PaletteEntries; ++i) grey.Set(i, 0x010101u * i);
                   Program other(folder);
                   ASSERT_TRUE(SavePaletteCommand(folder + "/grey.plt", grey, other));
                   ASSERT_TRUE(p.LoadPalette(folder + "/grey.plt"));
                 },
                 1},
        EditCase{"constant_slider_dragged",
                 [](Program& p, auto&) {
                   ConstantSliders sliders(p);
                   for (double value : {3.5, 4.0, 4.5}) sliders.SetValue(false, 0, value);
                 },
                 1}),
    test::CaseName());

// ----- what undo shows and rebuilds -----

class Heard : public ProgramObserver {
 public:
  void ParametersChanged() override { said += "parameters "; }
  void AppearanceChanged() override { said += "appearance "; }
  void GraphsChanged() override { said += "graphs "; }
  void PaletteChanged() override { said += "palette "; }
  std::string said;
};

TEST(EditHistory, UndoTellsTheWindowsOfWhatChangedOnly) {
  TempDir dir;
  Program program(dir.File(""));
  FillDocument(program);
  program.Edits().SetField(ParamField::YEnd, "8");
  Heard heard;
  program.Observers().Add(&heard);
  program.History().Undo();
  EXPECT_EQ(heard.said, "parameters ");
  program.Observers().Remove(&heard);
  EXPECT_EQ(program.Doc().Params.Field(ParamField::YEnd), "20");
}

TEST(EditHistory, AFieldEditRebuildsNothingButASliderStepRebuildsItsSpace) {
  TempDir dir;
  Program program(dir.File(""));
  FillDocument(program);
  {
    ConstantSliders sliders(program);
    sliders.SetValue(false, 0, 7.0);
    sliders.Rebuilds().Cancel();
  }
  program.Edits().SetField(ParamField::XEnd, "9");
  program.History().Undo();
  EXPECT_FALSE(program.History().Rebuilds().Pending());
  program.History().Undo();
  EXPECT_TRUE(program.History().Rebuilds().Pending());
  EXPECT_EQ(program.Doc().Params.Constants2D.front(), "A=3");
  program.History().Rebuilds().Cancel();
}

TEST(EditHistory, UndoKeepsASelectionInRangeAndSelectsTheFirstOtherwise) {
  TempDir dir;
  Program program(dir.File(""));
  FillDocument(program);
  program.Edits().Select2D(2);
  program.Edits().AddGraph2D("x", PlotP{});
  program.Edits().Select2D(3);
  program.History().Undo();
  ASSERT_TRUE(program.Graphs2D().Selection());
  EXPECT_EQ(*program.Graphs2D().Selection(), 0u);
  program.Edits().Select2D(1);
  program.History().Redo();
  EXPECT_EQ(*program.Graphs2D().Selection(), 1u);
}

TEST(EditHistory, NothingToUndoOrRedoSaysSo) {
  TempDir dir;
  Program program(dir.File(""));
  EXPECT_FALSE(program.History().Undo());
  EXPECT_EQ(program.Status(), NothingToUndoText);
  EXPECT_FALSE(program.History().Redo());
  EXPECT_EQ(program.Status(), NothingToRedoText);
  program.Edits().SetField(ParamField::VarX, "T");
  EXPECT_TRUE(program.History().Undo());
  EXPECT_EQ(program.Status(), UndoneText);
  EXPECT_TRUE(program.History().Redo());
  EXPECT_EQ(program.Status(), RedoneText);
}

TEST(EditHistory, OpeningADocumentStartsAFreshHistory) {
  TempDir dir;
  Program program(dir.File(""));
  FillDocument(program);
  const std::string path = dir.File("saved.lwf");
  ASSERT_TRUE(program.SaveSets(path));
  program.Edits().SetField(ParamField::ScaleX, "3");
  program.Edits().CutGraph2D();
  ASSERT_TRUE(program.LoadSets(path));
  EXPECT_EQ(program.History().Steps().UndoCount(), 0u);
  EXPECT_FALSE(program.History().Undo());
}

TEST(EditHistory, TheFileSavedAfterUndoIsTheFileSavedBefore) {
  TempDir dir;
  Program program(dir.File(""));
  FillDocument(program);
  ASSERT_TRUE(program.SaveSets(dir.File("before.lwf")));
  program.Edits().SetField(ParamField::Gradient, "0,25");
  program.Edits().Select2D(0);
  program.Edits().EditGraph2D("tan(x)", PlotP{0x00AA00, Function, 0, Equal});
  program.History().Undo();
  program.History().Undo();
  ASSERT_TRUE(program.SaveSets(dir.File("after.lwf")));
  EXPECT_EQ(ReadAll(dir.File("after.lwf")), ReadAll(dir.File("before.lwf")));
}

TEST(EditHistory, AGroupFromAGestureIsOneStep) {
  TempDir dir;
  Program program(dir.File(""));
  for (int notch = 1; notch <= 3; ++notch) {
    EditGroup wheel(program.History(), "wheel");
    program.Edits().SetField(ParamField::XStart, std::to_string(-20 + notch));
    program.Edits().SetField(ParamField::XEnd, std::to_string(20 - notch));
    program.Edits().SetBuildFlags(false, true, false);
    program.History().NoteRebuild(RebuildSpace::Space2D);
  }
  EXPECT_EQ(program.History().Steps().UndoCount(), 1u);
  program.History().Undo();
  EXPECT_EQ(program.Doc().Params.Field(ParamField::XStart), "-20");
  EXPECT_TRUE(program.Doc().Params.Centering);
  EXPECT_TRUE(program.History().Rebuilds().Pending());
  program.History().Rebuilds().Cancel();
}

}  // namespace
}  // namespace lw
