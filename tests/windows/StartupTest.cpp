// The sixteen windows, their order and captions, and what the start-up sets.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

#include "AppearanceWindow.h"
#include "ParamsWindow.h"
#include "WindowsTestSupport.h"

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
  f.Windows().Params->Field(1)->setText("25");
  params->close();
  EXPECT_FALSE(params->isVisible());
  f.Main().Run(Command::BuildParameters);
  EXPECT_TRUE(params->isVisible());
  EXPECT_EQ(f.Windows().Params->Field(1)->text(), "25");
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
  EXPECT_EQ(look->Combo(1)->currentText(), "звичайний");
  EXPECT_EQ(look->Combo(2)->currentText(), "пунктир");
  EXPECT_EQ(look->Combo(3)->currentText(), "полігонами");
  EXPECT_EQ(look->Combo(4)->currentText(), "обертання");
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
