// The menu and the tool panel are built from the command table; these tests check
// what must hold whatever the table says: unique shortcuts, every command in the
// menu once and handled, every tool button a menu command with a hint.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <set>

#include "WindowsTestSupport.h"
#include "app/Program2D.h"
#include "app/Program3D.h"
#include "app/ProgramAnalysis.h"
#include "windows/ParamsWindow.h"
#include "windows/ToolPanel.h"
#include "windows/WindowKit.h"

namespace lw::test {
namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsSeparator(const MenuItemEntry& item) {
  return item.caption == "-";
}

TEST(CommandTable, ShortcutsAreUniqueAndValidKeys) {
  std::set<std::string_view> seen;
  for (const MenuItemEntry& item : MenuItems()) {
    if (IsSeparator(item)) continue;
    const QString portable = Text(item.shortcut);
    EXPECT_EQ(QKeySequence::fromString(portable, QKeySequence::PortableText)
                  .toString(QKeySequence::PortableText),
              portable)
        << item.shortcut;
    EXPECT_TRUE(seen.insert(item.shortcut).second) << item.shortcut << " twice";
  }
}

TEST(CommandTable, EveryCommandIsInTheMenuOnce) {
  for (int c = static_cast<int>(Command::New); c <= static_cast<int>(Command::Help); ++c) {
    const auto items = std::count_if(MenuItems().begin(), MenuItems().end(),
                                     [c](const MenuItemEntry& i) { return int(i.command) == c; });
    EXPECT_EQ(items, 1) << "command " << c;
  }
}

TEST(Menu, IsBuiltFromTheTable) {
  ProgramFixture f;
  const auto menus = f.Main().menuBar()->actions();
  ASSERT_EQ(static_cast<std::size_t>(menus.size()), MenuCaptions().size());
  for (const MenuItemEntry& item : MenuItems()) {
    if (IsSeparator(item)) continue;
    QAction* action = f.Main().Action(item.command);
    ASSERT_NE(action, nullptr) << item.caption;
    EXPECT_EQ(action->text(), Text(item.caption));
    EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText), Text(item.shortcut));
    EXPECT_EQ(action->isCheckable(), item.check != MenuCheck::None) << item.caption;
    EXPECT_TRUE(menus[item.menu]->menu()->actions().contains(action)) << item.caption;
  }
}

// What a command may change that the user sees: the status text, the picture, the
// 3D space, the caption, check marks, windows on screen, questions asked, and the
// options file that closing the program writes.
struct Seen {
  std::string status;
  Colour pixel;
  std::size_t objects3D;
  QString caption;
  std::vector<bool> checks;
  std::set<QWidget*> windows;
  std::size_t questions;
  bool optionsWritten;
  bool operator==(const Seen&) const = default;
};

Seen Look(ProgramFixture& f) {
  Seen seen{f.State().Status(),
            f.State().TwoD().Picture().GetPixel(3, 3),
            f.State().ThreeD().Block().objects.size(),
            f.Main().windowTitle(),
            {},
            {},
            f.answers.titles.size() + static_cast<std::size_t>(f.answers.printAsks),
            QFileInfo::exists(QString::fromStdString(f.State().OptionsPath()))};
  for (const MenuItemEntry& item : MenuItems()) {
    if (!IsSeparator(item)) seen.checks.push_back(f.Main().Action(item.command)->isChecked());
  }
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible()) seen.windows.insert(w);
  }
  return seen;
}

// A command the menu offers but nobody handles would do nothing at all.
TEST(Menu, EveryCommandDoesSomethingVisible) {
  ProgramFixture f;
  f.State().Edits().AddGraph2D("x", PlotP{0x0000FF});
  f.State().Edits().AddGraph3D("x*y", PlotP3d{0x00FF00});
  f.State().ThreeD().BuildAll();
  f.Settle();
  f.State().TwoD().BuildAll();
  f.Settle();
  f.State().Analysis().ToggleScanMode();  // one scanned point for the list to show
  f.State().Analysis().ButtonDown(100, 100);
  f.State().Analysis().ButtonUp(100, 100);
  f.State().Analysis().ToggleScanMode();
  // Modal windows (about, questions, messages) are closed as soon as they are up.
  bool modal = false;
  QTimer closer;
  closer.setInterval(10);
  QObject::connect(&closer, &QTimer::timeout, [&modal] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      modal = true;
      w->close();
    }
  });
  closer.start();
  std::vector<MenuItemEntry> items(MenuItems().begin(), MenuItems().end());
  std::stable_partition(items.begin(), items.end(),
                        [](const MenuItemEntry& i) { return i.command != Command::Exit; });
  for (const MenuItemEntry& item : items) {
    if (IsSeparator(item)) continue;
    QAction* action = f.Main().Action(item.command);
    if (item.check == MenuCheck::Radio && action->isChecked()) {
      f.State().SetSpace(item.command == Command::Space2D ? SpaceMode::Space3D
                                                          : SpaceMode::Space2D);
    }
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    f.State().SetStatus("-");
    f.State().TwoD().DrawOnPicture([&](PlotPicture& p) { p.SetPixel(3, 3, 0x123456); });
    modal = false;
    const Seen before = Look(f);
    action->trigger();
    Pump(30);
    EXPECT_TRUE(modal || !(Look(f) == before))
        << item.caption << " (command " << static_cast<int>(item.command) << ')';
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

TEST(ToolPanelButtons, EachRunsAMenuCommandAndHasAHint) {
  std::set<Command> menuCommands;
  for (const MenuItemEntry& item : MenuItems()) menuCommands.insert(item.command);
  for (const ToolButtonEntry& tool : ToolButtons()) {
    EXPECT_TRUE(menuCommands.contains(tool.command)) << tool.hint;
    EXPECT_FALSE(tool.hint.empty()) << static_cast<int>(tool.command);
  }
}

// Two buttons showing one picture would leave the user guessing which is which.
TEST(ToolPanelButtons, EachShowsAPictureOfItsOwn) {
  std::set<ToolGlyph> glyphs;
  for (const ToolButtonEntry& tool : ToolButtons()) {
    EXPECT_TRUE(glyphs.insert(tool.glyph).second) << tool.hint;
  }
}

TEST(ToolPanelButtons, LieWithinThePanelsWidthWithoutOverlapping) {
  ProgramFixture f;
  const auto& buttons = f.Main().Tools()->Buttons();
  ASSERT_EQ(buttons.size(), ToolButtons().size());
  const int width = f.Main().Tools()->width();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const QRect r = buttons[i]->geometry();
    EXPECT_TRUE(r.left() >= 0 && r.right() < width && r.top() >= 0) << ToolButtons()[i].hint;
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_FALSE(buttons[i]->geometry().intersects(buttons[j]->geometry()))
          << ToolButtons()[i].hint << " over " << ToolButtons()[j].hint;
    }
  }
}

QToolButton* ButtonFor(ProgramFixture& f, Command command) {
  const auto tools = ToolButtons();
  const auto it = std::find_if(tools.begin(), tools.end(), [command](const ToolButtonEntry& t) {
    return t.command == command;
  });
  return it == tools.end() ? nullptr : f.Main().Tools()->Buttons()[it - tools.begin()];
}

TEST(ToolPanelButtons, RunTheSameCommandsAsTheMenu) {
  ProgramFixture f;
  QToolButton* button = ButtonFor(f, Command::BuildParameters);
  ASSERT_NE(button, nullptr);
  button->click();
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
    EXPECT_EQ(buttons[i]->toolTip(), Text(ToolButtons()[i].hint));
  }
}

}  // namespace
}  // namespace lw::test
