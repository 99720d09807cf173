// Adding, editing, cutting and pasting graphs through the graph-parameters dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "WindowsTestSupport.h"
#include "windows/GraphListPanel.h"
#include "windows/GraphParamsDialog.h"
#include "windows/MessageWindow.h"
#include "windows/ParamsWindow.h"
#include "windows/WindowKit.h"

namespace lw::test {
namespace {

// Fills the dialog once it is up and presses "&Окей" (or "&Зачинити").
void FillDialog(QString text, int kind, int relation, bool interpolated, bool accept = true) {
  WhenModal([=](QWidget* modal) {
    auto* dialog = dynamic_cast<GraphParamsDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->Formula()->setText(text);
    if (kind >= 0) dialog->Kind()->setCurrentIndex(kind);
    if (relation >= 0) dialog->RelationBox()->setCurrentIndex(relation);
    dialog->Interpolation()->setChecked(interpolated);
    (accept ? dialog->OkButton() : dialog->CloseButton())->click();
  });
}

TEST(GraphLists, AddThroughTheMenuCleansTheTextAndTakesThePaletteColour) {
  ProgramFixture f;
  GraphListPanel* panel = f.Windows().Params->Graphs(false);
  FillDialog("sin(x),", 0, -1, true);
  f.Main().Action(Command::AddGraph2D)->trigger();
  FillDialog("1,5*x+", 1, 3, false);
  f.Main().Action(Command::AddGraph2D)->trigger();
  FillDialog("x^2 ;", 2, -1, true);
  panel->AddButton()->click();
  ASSERT_EQ(panel->List()->count(), 3);
  EXPECT_EQ(panel->List()->item(0)->text(), "sin(x)");
  EXPECT_EQ(panel->List()->item(1)->text(), "1.5*x");
  EXPECT_EQ(panel->List()->item(2)->text(), "x^2");
  const PlotList2D& list = f.State().Doc().Graphs2D;
  EXPECT_EQ(list.At(2).Color, f.State().Pal().At(2));
  EXPECT_EQ(list.At(1).Kind, Relation);
  EXPECT_EQ(list.At(1).Relation, GreaterOrEqual);
  EXPECT_EQ(list.At(1).Interpolated, 0);
  EXPECT_EQ(panel->List()->currentRow(), 0);
  EXPECT_EQ(panel->Description()->text(), "Функція.Інтерпольована.");
}

TEST(GraphLists, EditClosedWithoutOkChangesNothing) {
  ProgramFixture f;
  f.State().Edits().AddGraph2D("x", PlotP{0x123456, Function, 1, Equal});
  GraphListPanel* panel = f.Windows().Params->Graphs(false);
  FillDialog("y", 1, 2, false, false);
  panel->EditButton()->click();
  EXPECT_EQ(f.State().Doc().Graphs2D.Text(0), "x");
  EXPECT_EQ(f.State().Doc().Graphs2D.At(0).Kind, Function);
  FillDialog("x*x", 1, 2, false);
  panel->EditButton()->click();
  EXPECT_EQ(panel->List()->item(0)->text(), "x*x");
  EXPECT_EQ(panel->Description()->text(), "Відношення.Тип : < 0.");
  EXPECT_EQ(panel->DescriptionSwatch()->CurrentColour(), 0x123456u);
}

TEST(GraphLists, CutTheOnlyGraphThenPasteItBack) {
  ProgramFixture f;
  f.State().Edits().AddGraph2D("x", PlotP{0x00FF00, ColorGamma, 0, Equal});
  GraphListPanel* panel = f.Windows().Params->Graphs(false);
  panel->CutButton()->click();
  EXPECT_EQ(panel->List()->count(), 0);
  EXPECT_EQ(panel->Description()->text(), "Відсутній.");
  EXPECT_EQ(panel->DescriptionSwatch()->CurrentColour(), 0u);
  panel->PasteButton()->click();
  ASSERT_EQ(panel->List()->count(), 1);
  EXPECT_EQ(panel->Description()->text(), "Гамма кольорів.");
  EXPECT_EQ(f.State().Doc().Graphs2D.At(0).Color, 0x00FF00u);
}

TEST(GraphLists, PasteGoesAfterTheSelectedItem) {
  ProgramFixture f;
  for (const char* t : {"a", "b", "c", "d"}) f.State().Edits().AddGraph2D(t, PlotP{});
  GraphListPanel* panel = f.Windows().Params->Graphs(false);
  f.State().Edits().Select2D(1);
  panel->CutButton()->click();
  ASSERT_EQ(panel->List()->count(), 3);
  EXPECT_EQ(panel->List()->item(0)->text(), "a");
  EXPECT_EQ(panel->List()->item(1)->text(), "c");
  EXPECT_EQ(panel->List()->currentRow(), 0);
  panel->PasteButton()->click();
  EXPECT_EQ(panel->List()->item(1)->text(), "b");
  EXPECT_EQ(panel->List()->currentRow(), 0);
}

TEST(GraphLists, TheCutBufferSurvivesLoadingADocument) {
  ProgramFixture f;
  f.State().Edits().AddGraph2D("keep", PlotP{});
  f.State().Edits().CutGraph2D();
  ASSERT_TRUE(f.State().SaveSets(f.Path("empty.lwf")));
  f.State().Edits().AddGraph2D("other", PlotP{});
  ASSERT_TRUE(f.State().LoadSets(f.Path("empty.lwf")));
  GraphListPanel* panel = f.Windows().Params->Graphs(false);
  EXPECT_EQ(panel->List()->count(), 0);
  panel->PasteButton()->click();
  ASSERT_EQ(panel->List()->count(), 1);
  EXPECT_EQ(panel->List()->item(0)->text(), "keep");
  f.State().SetAskToSave(false);
}

TEST(GraphLists, AnUnstorableTextIsRefusedWithItsReasonAndTheDialogComesBack) {
  ProgramFixture f;
  FillDialog("x+中", 0, -1, true);
  bool cameBack = false;
  QString textShown, reasonShown;
  // The message window says why at once; then the refused dialog reappears with the
  // text, and is closed the second time.
  QTimer::singleShot(200, [&] {
    auto* message = dynamic_cast<MessageWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(message, nullptr);
    reasonShown = message->Label()->text();
    message->OkButton()->click();
    QTimer::singleShot(200, [&] {
      auto* dialog = dynamic_cast<GraphParamsDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      cameBack = true;
      textShown = dialog->Formula()->text();
      dialog->CloseButton()->click();
    });
  });
  f.Main().Action(Command::AddGraph2D)->trigger();
  EXPECT_EQ(reasonShown.toStdString(), UnstorableFormulaText);
  EXPECT_TRUE(cameBack);
  EXPECT_EQ(textShown, QString::fromUtf8("x+中"));
  EXPECT_TRUE(f.State().Doc().Graphs2D.Empty());
  EXPECT_EQ(f.State().Status(), UnstorableFormulaText);
}

TEST(GraphLists, ThreeDListUsesTheFormDialog) {
  ProgramFixture f;
  WhenModal([](QWidget* modal) {
    auto* dialog = dynamic_cast<GraphParamsDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->Form()->isVisibleTo(dialog));
    EXPECT_FALSE(dialog->Kind()->isVisibleTo(dialog));
    // The 3D layout puts the buttons bottom left, wholly inside the window.
    EXPECT_EQ(dialog->OkButton()->x(), 2);
    EXPECT_LE(dialog->OkButton()->geometry().bottom(), dialog->height());
    dialog->Formula()->setText("sin(x*y)");
    dialog->Form()->setCurrentIndex(1);
    dialog->OkButton()->click();
  });
  f.Main().Action(Command::AddGraph3D)->trigger();
  GraphListPanel* panel = f.Windows().Params->Graphs(true);
  ASSERT_EQ(panel->List()->count(), 1);
  EXPECT_EQ(panel->Description()->text(), "Тип виразу : Y = F ( X,Z ) .");
}

// The curves of T and the parametric surface are chosen in the dialog, which shows the
// form of their text; the description line spells the entry out.
TEST(GraphLists, ParametricKindsShowTheirTextFormAndDescription) {
  ProgramFixture f;
  WhenModal([](QWidget* modal) {
    auto* dialog = dynamic_cast<GraphParamsDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->Kind()->count(), 5);
    EXPECT_EQ(dialog->Kind()->itemText(3), "Параметрична крива");
    EXPECT_EQ(dialog->Kind()->itemText(4), "Полярна крива");
    EXPECT_EQ(dialog->TextFormHint()->text(), "");
    dialog->Kind()->setCurrentIndex(4);
    EXPECT_EQ(dialog->TextFormHint()->text(), "R;T0;T1");
    dialog->Kind()->setCurrentIndex(3);
    EXPECT_EQ(dialog->TextFormHint()->text(), "X;Y;T0;T1");
    EXPECT_EQ(dialog->Formula()->placeholderText(), "X;Y;T0;T1");
    dialog->Formula()->setText("5*cos(t);5*sin(t);0;2*p;");
    dialog->OkButton()->click();
  });
  f.Main().Action(Command::AddGraph2D)->trigger();
  GraphListPanel* panel = f.Windows().Params->Graphs(false);
  ASSERT_EQ(panel->List()->count(), 1);
  EXPECT_EQ(f.State().Doc().Graphs2D.At(0).Kind, ParametricCurve);
  EXPECT_EQ(panel->Description()->text(),
            "Параметрична крива.Інтерпольована. X = 5*cos(t) ; Y = 5*sin(t) ; T від 0 до 2*p");

  WhenModal([](QWidget* modal) {
    auto* dialog = dynamic_cast<GraphParamsDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->Form()->count(), 4);
    EXPECT_EQ(dialog->Form()->itemText(3), "Параметрична поверхня");
    dialog->Form()->setCurrentIndex(3);
    EXPECT_EQ(dialog->Formula()->placeholderText(), "X;Y;Z;U0;U1;V0;V1");
    dialog->Formula()->setText("u;v;0;0;1;0;1");
    dialog->OkButton()->click();
  });
  f.Main().Action(Command::AddGraph3D)->trigger();
  EXPECT_EQ(
      f.Windows().Params->Graphs(true)->Description()->text(),
      "Тип виразу : Параметрична поверхня. X = u ; Y = v ; Z = 0 ; U від 0 до 1 ; V від 0 до 1");
  // Editing loads the kind back into the dialog.
  WhenModal([](QWidget* modal) {
    auto* dialog = dynamic_cast<GraphParamsDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Form()->currentIndex(), 3);
    dialog->CloseButton()->click();
  });
  f.Windows().Params->Graphs(true)->EditButton()->click();
}

}  // namespace
}  // namespace lw::test
