// Undo and redo as the user reaches them: the menu "Пр&авка" after "&Файл" with its
// two commands and keys, the tool buttons, the windows showing the undone values;
// and the offer, at the next start, of what a killed program left unsaved.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QToolButton>
#include <filesystem>

#include "TempDir.h"
#include "WindowsTestSupport.h"
#include "app/RecoveryFile.h"
#include "app/RecoveryKeeper.h"
#include "windows/AppearanceWindow.h"
#include "windows/ParamsWindow.h"
#include "windows/ToolPanel.h"

namespace lw::test {
namespace {

void TypeInto(QWidget* edit, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(edit, &press);
  }
}

TEST(EditMenu, FollowsTheFileMenuWithUndoAndRedoOnTheirKeys) {
  ProgramFixture f;
  const auto menus = f.Main().menuBar()->actions();
  ASSERT_GE(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), QStringLiteral("&Файл"));
  EXPECT_EQ(menus[1]->text(), QStringLiteral("Пр&авка"));
  const auto items = menus[1]->menu()->actions();
  ASSERT_EQ(items.size(), 2);
  EXPECT_EQ(items[0], f.Main().Action(Command::Undo));
  EXPECT_EQ(items[0]->text(), QStringLiteral("Скасувати"));
  EXPECT_EQ(items[0]->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Backspace));
  EXPECT_EQ(items[1]->text(), QStringLiteral("Повторити"));
  EXPECT_EQ(items[1]->shortcut(), QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace));
  EXPECT_EQ(f.Main().Action(Command::Notepad)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z))
      << "Ctrl+Z stays the notepad's";
}

TEST(EditMenu, AFieldTypedKeyByKeyIsTakenBackWholeAndShownInItsWindow) {
  ProgramFixture f;
  QLineEdit* xEnd = f.Windows().Params->Field(ParamField::XEnd);
  xEnd->selectAll();
  TypeInto(xEnd, QStringLiteral("2,5"));
  EXPECT_EQ(f.State().Doc().Params.Field(ParamField::XEnd), "2,5");
  f.Main().Action(Command::Undo)->trigger();
  EXPECT_EQ(xEnd->text(), QStringLiteral("20"));
  EXPECT_EQ(f.State().Doc().Params.Field(ParamField::XEnd), "20");
  f.Main().Action(Command::Redo)->trigger();
  EXPECT_EQ(xEnd->text(), QStringLiteral("2,5"));
}

TEST(EditMenu, LeavingAFieldEndsItsEditAndComingBackIsAnother) {
  ProgramFixture f;
  auto* params = static_cast<QWidget*>(f.Windows().Params);
  params->show();
  QApplication::setActiveWindow(params);
  QLineEdit* xEnd = f.Windows().Params->Field(ParamField::XEnd);
  QLineEdit* yEnd = f.Windows().Params->Field(ParamField::YEnd);
  xEnd->setFocus();
  TypeInto(xEnd, QStringLiteral("1"));
  yEnd->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), yEnd);
  xEnd->setFocus();
  TypeInto(xEnd, QStringLiteral("2"));
  EXPECT_EQ(f.State().Doc().Params.Field(ParamField::XEnd), "2012");
  EXPECT_EQ(f.State().History().Steps().UndoCount(), 2u);
}

TEST(EditMenu, TheToolButtonsUndoAFlagAndTheAppearanceWindowShowsItsUndoneValue) {
  ProgramFixture f;
  f.State().SetShowToolPanel(true);
  QCheckBox* xor_ = f.Windows().Params->FlagBox(3);
  xor_->click();
  QSpinBox* width = f.Windows().Appearance->Spin(&AppearanceSettings::AxesLineWidth);
  width->setValue(4);
  auto button = [&](Command command) -> QToolButton* {
    const auto tools = ToolButtons();
    for (std::size_t i = 0; i < tools.size(); ++i) {
      if (tools[i].command == command) return f.Main().Tools()->Buttons()[i];
    }
    return nullptr;
  };
  ASSERT_NE(button(Command::Undo), nullptr);
  ASSERT_NE(button(Command::Redo), nullptr);
  button(Command::Undo)->click();
  EXPECT_EQ(width->value(), 1);
  EXPECT_TRUE(xor_->isChecked());
  button(Command::Undo)->click();
  EXPECT_FALSE(xor_->isChecked());
  button(Command::Redo)->click();
  EXPECT_TRUE(xor_->isChecked());
}

// ----- what a killed program left -----

class Offer : public ::testing::Test {
 protected:
  Offer() {
    folder = f.Path("recovery");
    // What a killed program leaves: its file, and no lock held.
    DocumentState state;
    state.Doc.Params.Field(ParamField::XStart) = "-7";
    state.Doc.Graphs2D.Append("sqrt(x)", PlotP{0x00AA00, Function, 1, Equal});
    state.Colours.Set(3, 0x112233);
    std::filesystem::create_directories(folder);
    left = folder + "/999-1.lwr";
    lw::testing::WriteAll(left, *EncodeRecovery(f.Path("old.lwf"), state));
    expected = state;
    f.State().KeepRecovery(folder);
  }

  ProgramFixture f;
  std::string folder;
  std::string left;
  DocumentState expected;
};

TEST_F(Offer, YesOpensTheUnsavedDocumentUnderItsOldName) {
  f.answers.yesNo.push_back(true);
  f.Main().OfferRecovery();
  ASSERT_EQ(f.answers.questions.size(), 1u);
  EXPECT_EQ(f.answers.questions[0], QStringLiteral("Відновити незбережений документ?"));
  EXPECT_EQ(f.State().Doc(), expected.Doc);
  EXPECT_EQ(f.State().Pal(), expected.Colours);
  EXPECT_EQ(f.Main().windowTitle(), QStringLiteral("Linewright - old.lwf"));
  EXPECT_EQ(f.Windows().Params->Field(ParamField::XStart)->text(), QStringLiteral("-7"));
  EXPECT_FALSE(std::filesystem::exists(left));
  EXPECT_FALSE(std::filesystem::exists(f.Path("old.lwf"))) << "nothing is saved for the user";
}

TEST_F(Offer, NoDropsItAndKeepsTheDocument) {
  const Document before = f.State().Doc();
  f.answers.yesNo.push_back(false);
  f.Main().OfferRecovery();
  EXPECT_EQ(f.answers.questions.size(), 1u);
  EXPECT_EQ(f.State().Doc(), before);
  EXPECT_FALSE(std::filesystem::exists(left));
  f.Main().OfferRecovery();
  EXPECT_EQ(f.answers.questions.size(), 1u) << "asked once only";
}

}  // namespace
}  // namespace lw::test
