// The menu as the user sees it: every caption, access key and shortcut, and the
// tool panel's buttons and hints.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "ParamsWindow.h"
#include "ToolPanel.h"
#include "WindowKit.h"
#include "WindowsTestSupport.h"

namespace lw::test {
namespace {

struct MenuRow {
  const char* menu;
  const char* item;
  const char* shortcut;
};

// Written out from the program's description, not from the command table.
const MenuRow expectedMenu[] = {
    {"&Файл", "&Створити", "Ctrl+N"},
    {"&Файл", "&Відкрити", "F3"},
    {"&Файл", "&Зберегти", "F2"},
    {"&Файл", "З&берегти як", "Ctrl+S"},
    {"&Файл", "-", ""},
    {"&Файл", "&Друк", "Ctrl+P"},
    {"&Файл", "-", ""},
    {"&Файл", "&Вихід", "Alt+X"},
    {"Графіки &2D", "&Побудувати всі", "Ctrl+B"},
    {"Графіки &2D", "По&будувати виділений", "Ctrl+F"},
    {"Графіки &2D", "&Додати графік", "F7"},
    {"Графіки &2D", "Ви&терти", "F8"},
    {"Графіки &2D", "&Сканування", "F5"},
    {"Графіки &2D", "Пр&оскановані точки", "F9"},
    {"Графіки &2D", "&Режим сканування", "Ctrl+W"},
    {"Графіки &2D", "&Тимчасова сітка", "Ctrl+G"},
    {"Графіки &2D", "Відкрити &малюнок", "Ctrl+O"},
    {"Графіки &2D", "Зберегти  м&алюнок", "F4"},
    {"Графіки &2D", "-", ""},
    {"Графіки &2D", "Повзунки &констант", "Ctrl+L"},
    {"Графіки &3D", "&Побудувати всі", "Ctrl+Alt+B"},
    {"Графіки &3D", "П&обудувати виділений", "Ctrl+Alt+F"},
    {"Графіки &3D", "&Додати графік", "Ctrl+F7"},
    {"Графіки &3D", "&Витерти", "Ctrl+F8"},
    {"Графіки &3D", "&Сканування", "Ctrl+F5"},
    {"Графіки &3D", "Зберегти  як малюнок", "Ctrl+F4"},
    {"Графіки &3D", "Відкрити 3D &файл", "Ctrl+F3"},
    {"Графіки &3D", "Зберегти 3D фай&л", "Ctrl+F2"},
    {"Графіки &3D", "-", ""},
    {"Графіки &3D", "Повзунки &констант", "Ctrl+Alt+L"},
    {"&Простір", "&2D Побудова", "Ctrl+Alt+D"},
    {"&Простір", "&3D  Побудова", "Ctrl+Alt+T"},
    {"&Опції", "&Панель керування", "Ctrl+E"},
    {"&Опції", "&Строка стану", "Ctrl+T"},
    {"&Опції", "&Давати підказки", "Ctrl+D"},
    {"&Опції", "&Запит на збереження", "Ctrl+U"},
    {"&Опції", "&Загальні параметри", "F6"},
    {"&Опції", "&Оформлення", "F11"},
    {"&Опції", "П&алітра", "Ctrl+J"},
    {"&Різне", "&Калькулятор", "Ctrl+K"},
    {"&Різне", "&Записна книжка", "Ctrl+Z"},
    {"&Різне", "&Інтеграл", "Ctrl+I"},
    {"&Допомога", "&Про программу", "Ctrl+H"},
    {"&Допомога", "&Довідка", "F1"},
};

TEST(Menu, CaptionsAccessKeysAndShortcutsAreExactlyAsDescribed) {
  ProgramFixture f;
  std::vector<MenuRow> seen;
  std::vector<std::string> storage;
  storage.reserve(300);
  auto keep = [&storage](const QString& s) {
    storage.push_back(s.toStdString());
    return storage.back().c_str();
  };
  for (QAction* top : f.Main().menuBar()->actions()) {
    const char* menu = keep(top->text());
    for (QAction* a : top->menu()->actions()) {
      seen.push_back({menu, a->isSeparator() ? "-" : keep(a->text()),
                      keep(a->shortcut().toString(QKeySequence::PortableText))});
    }
  }
  ASSERT_EQ(seen.size(), std::size(expectedMenu));
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_STREQ(seen[i].menu, expectedMenu[i].menu) << "row " << i;
    EXPECT_STREQ(seen[i].item, expectedMenu[i].item) << "row " << i;
    EXPECT_STREQ(seen[i].shortcut, expectedMenu[i].shortcut) << "row " << i;
  }
}

TEST(Menu, CheckMarksAndTheSpaceRadioPair) {
  ProgramFixture f;
  for (Command c :
       {Command::ScanMode, Command::TemporaryGrid, Command::ToolPanel, Command::StatusBar,
        Command::Hints, Command::AskToSave, Command::Space2D, Command::Space3D}) {
    EXPECT_TRUE(f.Main().Action(c)->isCheckable()) << static_cast<int>(c);
  }
  EXPECT_FALSE(f.Main().Action(Command::BuildAll2D)->isCheckable());
  f.Main().Action(Command::Space3D)->trigger();
  EXPECT_EQ(f.State().Space(), SpaceMode::Space3D);
  f.Main().Action(Command::Space3D)->trigger();  // a radio item stays on
  EXPECT_TRUE(f.Main().Action(Command::Space3D)->isChecked());
  EXPECT_FALSE(f.Main().Action(Command::Space2D)->isChecked());
}

struct ToolRow {
  int top;
  int left;
  const char* hint;
};

const ToolRow expectedTools[] = {
    {7, 5, "Створити новий файл Linewright за шаблоном"},
    {7, 34, "Прочитати параметри побудови з файлу"},
    {36, 5, "Зберегти як новий файл"},
    {36, 34, "Зберегти параметри"},
    {65, 5, "Друк"},
    {65, 34, "Вийти з программи"},
    {99, 5, "Побудувати усі графікі"},
    {99, 34, "Побудувати виділений графік"},
    {128, 5, "Додати новий графік"},
    {128, 34, "Очистити двовимірний простір побудови"},
    {157, 5, "Відкрити вікно сканування"},
    {157, 34, "Вивести список просканованих точок"},
    {186, 5, "Зберегти побудований графік як точковий малюнок"},
    {186, 34, "Завантажити  точковий малюнок"},
    {220, 5, "Побудувати  усі тривимірні графіки"},
    {220, 34, "Побудувати виділений тривимірний графік"},
    {249, 5, "Додати новий  тривимірний графік"},
    {249, 34, "Очистити тривимірний простір побудови"},
    {278, 5, "Відкрити вікно сканування"},
    {278, 34, "Зберегти кадр 3D сцени як малюнок"},
    {307, 5, "Зберегти 3-и втмірну фігуру"},
    {307, 34, "Завантажити 3-и вимірну  фігуру"},
    {341, 5, "Параметри побудови"},
    {341, 34, "Оформлення графіків : вигляд осей,сітка та ін."},
    {370, 5, "Палітра"},
    {370, 34, "Калькулятор"},
    {399, 5, "Записна книжка"},
    {399, 34, "Інтеграл"},
    {428, 5, "Допомога"},
    {457, 5, "Повзунки констант: графіки слідують за значенням константи"},
};

TEST(ToolPanelButtons, PositionsSizesAndHints) {
  ProgramFixture f;
  const auto& buttons = f.Main().Tools()->Buttons();
  ASSERT_EQ(buttons.size(), std::size(expectedTools));
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(buttons[i]->geometry().top(), expectedTools[i].top) << i;
    EXPECT_EQ(buttons[i]->geometry().left(), expectedTools[i].left) << i;
    EXPECT_EQ(buttons[i]->toolTip(), QString::fromUtf8(expectedTools[i].hint)) << i;
    EXPECT_EQ(buttons[i]->height(), 28) << i;
    EXPECT_EQ(buttons[i]->width(), expectedTools[i].top == 428 ? 57 : 28) << i;
  }
  EXPECT_EQ(f.Main().Tools()->width(), 67);
}

TEST(ToolPanelButtons, RunTheSameCommandsAsTheMenu) {
  ProgramFixture f;
  const auto& buttons = f.Main().Tools()->Buttons();
  buttons[22]->click();  // "Параметри побудови"
  EXPECT_TRUE(static_cast<QWidget*>(f.Windows().Params)->isVisible());
}

TEST(Hints, SwitchingOffAndOnRestoresEveryHint) {
  ProgramFixture f;
  const auto& buttons = f.Main().Tools()->Buttons();
  f.Main().Action(Command::Hints)->trigger();
  EXPECT_FALSE(f.Main().Action(Command::Hints)->isChecked());
  for (QToolButton* b : buttons) EXPECT_TRUE(b->toolTip().isEmpty());
  for (QWidget* w : f.Main().WindowsInOrder()) {
    for (QWidget* c : HintedControls(w))
      EXPECT_TRUE(c->toolTip().isEmpty()) << c->objectName().toStdString();
  }
  f.Main().Action(Command::Hints)->trigger();
  EXPECT_TRUE(f.Main().Action(Command::Hints)->isChecked());
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(buttons[i]->toolTip(), QString::fromUtf8(expectedTools[i].hint));
  }
}

}  // namespace
}  // namespace lw::test
