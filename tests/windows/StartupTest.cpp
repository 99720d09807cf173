// The sixteen windows, their order and captions, and what the start-up sets.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "WindowsTestSupport.h"
#include "windows/AppearanceWindow.h"
#include "windows/ParamsWindow.h"

namespace lw::test {
namespace {

TEST(Startup, CreatesTheSixteenWindowsInOrderAllSecondaryOnesHidden) {
  ProgramFixture f;
  const std::vector<QString> captions = {
      "Linewright - Noname.lwf",
      "Про программу :",
      "Побудова :",
      "Запит на збереження :",
      "Шкала кольорів",
      "Калькулятор",
      "Записна книжка - Noname.txt",
      "Стан побудови :",
      "",
      "Параметри графіка :",
      "Оформлення :",
      "Значення при відповідних аргументах :",
      "Список просканованих точок :",
      "Значення при відповідних аргументах :",
      "Палітра",
      "Інтеграл",
  };
  const std::vector<QWidget*> windows = f.Main().WindowsInOrder();
  ASSERT_EQ(windows.size(), captions.size());
  for (std::size_t i = 0; i < windows.size(); ++i) {
    ASSERT_NE(windows[i], nullptr) << "window " << i + 1;
    EXPECT_EQ(windows[i]->windowTitle(), captions[i]) << "window " << i + 1;
    EXPECT_TRUE(windows[i]->isWindow()) << "window " << i + 1;
    if (i > 0) {
      EXPECT_FALSE(windows[i]->isVisible()) << "window " << i + 1;
      EXPECT_EQ(windows[i]->parentWidget(), &f.Main()) << "window " << i + 1;
    }
  }
}

TEST(Startup, ClosingASecondaryWindowOnlyHidesIt) {
  ProgramFixture f;
  f.Main().Run(Command::BuildParameters);
  QWidget* params = static_cast<QWidget*>(f.Windows().Params);
  ASSERT_TRUE(params->isVisible());
  f.Windows().Params->Field(ParamField::ScaleX)->setText("25");
  params->close();
  EXPECT_FALSE(params->isVisible());
  f.Main().Run(Command::BuildParameters);
  EXPECT_TRUE(params->isVisible());
  EXPECT_EQ(f.Windows().Params->Field(ParamField::ScaleX)->text(), "25");
}

TEST(Startup, WindowsFollowChangesMadeByTheProgram) {
  ProgramFixture f;
  f.State().Edits().SetField(ParamField::XEnd, "2*P");
  EXPECT_EQ(f.Windows().Params->Field(ParamField::XEnd)->text(), "2*P");
  f.State().Edits().SetBuildFlags(false, true, true);
  EXPECT_FALSE(f.Windows().Params->FlagBox(1)->isChecked());
  EXPECT_TRUE(f.Windows().Params->FlagBox(3)->isChecked());
  EXPECT_FALSE(f.State().Doc().Params.Centering);
  f.State().Edits().SetConstants(false, {"A=1", "B=2"});
  EXPECT_EQ(f.Windows().Params->Constants(false)->toPlainText(), "A=1\nB=2");
  AppearanceSettings look = f.State().Doc().Appearance;
  look.ShowGrid = true;
  look.GridLineWidth = 4;
  f.State().Edits().SetAppearance(look);
  EXPECT_TRUE(f.Windows().Appearance->Check(&AppearanceSettings::ShowGrid)->isChecked());
  EXPECT_EQ(f.Windows().Appearance->Spin(&AppearanceSettings::GridLineWidth)->value(), 4);
  EXPECT_EQ(f.State().Doc().Appearance, look);
}

TEST(Startup, DefaultSwitchesWithoutAnOptionsFile) {
  ProgramFixture f;
  EXPECT_FALSE(f.State().ShowToolPanel());
  EXPECT_FALSE(f.State().ShowStatusBar());
  EXPECT_TRUE(f.State().ShowHints());
  EXPECT_TRUE(f.State().AskToSave());
  EXPECT_TRUE(f.Main().Action(Command::Space2D)->isChecked());
  EXPECT_FALSE(f.Main().Action(Command::Space3D)->isChecked());
  EXPECT_TRUE(f.Main().Action(Command::Hints)->isChecked());
  EXPECT_TRUE(f.Main().Action(Command::AskToSave)->isChecked());
  EXPECT_EQ(f.State().Status(), "Готова");
  EXPECT_TRUE(f.Main().PlacementPending());
}

TEST(Startup, AppearanceListsTakeTheirStartSelections) {
  ProgramFixture f;
  AppearanceWindow* look = f.Windows().Appearance;
  EXPECT_EQ(look->Combo(&AppearanceSettings::AxesLineStyle)->currentText(), "звичайний");
  EXPECT_EQ(look->Combo(&AppearanceSettings::GridLineStyle)->currentText(), "пунктир");
  EXPECT_EQ(look->Combo(&AppearanceSettings::DrawMode3D)->currentText(), "полігонами");
  EXPECT_EQ(look->Combo(&AppearanceSettings::MotionType)->currentText(), "обертання");
}

TEST(Startup, SpaceSwitchTurnsThePagesOfBothWindows) {
  ProgramFixture f;
  f.Main().Run(Command::Space3D);
  EXPECT_TRUE(f.Windows().Params->ShowsPage3D());
  EXPECT_TRUE(f.Windows().Appearance->ShowsPage3D());
  EXPECT_TRUE(f.Main().Action(Command::Space3D)->isChecked());
  EXPECT_FALSE(f.Main().Action(Command::Space2D)->isChecked());
  f.Main().Run(Command::Space2D);
  EXPECT_FALSE(f.Windows().Params->ShowsPage3D());
  EXPECT_FALSE(f.Windows().Appearance->ShowsPage3D());
}

}  // namespace
}  // namespace lw::test
