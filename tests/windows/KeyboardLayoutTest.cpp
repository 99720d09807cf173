// Shortcuts with a keyboard layout that has no Latin letters: each key stands for the
// US key at its place, for the program's commands and in text fields alike, while
// typing stays as it is.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <optional>

#include "CaseNames.h"
#include "WindowsTestSupport.h"
#include "windows/KeyPositions.h"
#include "windows/LayoutShortcuts.h"
#include "windows/NotepadWindow.h"

namespace lw::test {
namespace {

struct KeycodeCase {
  const char* name;
  std::uint32_t keycode;
  std::optional<Qt::Key> us;
};

void PrintTo(const KeycodeCase& c, std::ostream* out) {
  *out << c.name << " " << c.keycode;
}

class KeycodeTable : public ::testing::TestWithParam<KeycodeCase> {};

TEST_P(KeycodeTable, GivesTheUsKeyAtThatPlace) {
  EXPECT_EQ(UsKeyAtX11Keycode(GetParam().keycode), GetParam().us);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeycodeTable,
    ::testing::Values(
        KeycodeCase{"Digit1", 10, Qt::Key_1}, KeycodeCase{"Digit0", 19, Qt::Key_0},
        KeycodeCase{"Equal", 21, Qt::Key_Equal}, KeycodeCase{"Q", 24, Qt::Key_Q},
        KeycodeCase{"T", 28, Qt::Key_T}, KeycodeCase{"I", 31, Qt::Key_I},
        KeycodeCase{"BracketRight", 35, Qt::Key_BracketRight}, KeycodeCase{"A", 38, Qt::Key_A},
        KeycodeCase{"H", 43, Qt::Key_H}, KeycodeCase{"L", 46, Qt::Key_L},
        KeycodeCase{"Grave", 49, Qt::Key_QuoteLeft},
        KeycodeCase{"Backslash", 51, Qt::Key_Backslash}, KeycodeCase{"Z", 52, Qt::Key_Z},
        KeycodeCase{"B", 56, Qt::Key_B}, KeycodeCase{"Slash", 61, Qt::Key_Slash},
        KeycodeCase{"NoCode", 0, std::nullopt}, KeycodeCase{"Escape", 9, std::nullopt},
        KeycodeCase{"Backspace", 22, std::nullopt}, KeycodeCase{"Tab", 23, std::nullopt},
        KeycodeCase{"Return", 36, std::nullopt}, KeycodeCase{"LeftControl", 37, std::nullopt},
        KeycodeCase{"LeftShift", 50, std::nullopt}, KeycodeCase{"RightShift", 62, std::nullopt},
        KeycodeCase{"Space", 65, std::nullopt}, KeycodeCase{"F1", 67, std::nullopt},
        KeycodeCase{"Large", 100000, std::nullopt}),
    CaseName());

// The key code of the US key, found through the table.
std::uint32_t KeycodeOf(Qt::Key key) {
  for (std::uint32_t code = 0; code < 256; ++code) {
    if (UsKeyAtX11Keycode(code) == key) return code;
  }
  return 0;
}

// What each Latin letter key gives with the Ukrainian layout.
QChar Ukrainian(Qt::Key latin) {
  static const QString letters = QStringLiteral("ФИСВУАПРШОЛДЬТЩЗЙКІЕГМЦЧНЯ");
  return letters.at(latin - Qt::Key_A);
}

// A press of the key at the place of latin, typed with the Ukrainian layout.
QKeyEvent UkrainianPress(Qt::Key latin, Qt::KeyboardModifiers modifiers) {
  const QChar letter = Ukrainian(latin);
  return QKeyEvent(QEvent::KeyPress, letter.unicode(), modifiers, KeycodeOf(latin), 0, 0,
                   QString(letter.toLower()));
}

TEST(KeyboardLayout, EveryLetterShortcutOfTheMenuHasAPlace) {
  for (const MenuItemEntry& item : MenuItems()) {
    const QKeySequence shortcut(
        QString::fromLatin1(item.shortcut.data(), static_cast<qsizetype>(item.shortcut.size())));
    if (shortcut.isEmpty()) continue;
    const Qt::Key key = shortcut[0].key();
    if (key < Qt::Key_A || key > Qt::Key_Z) continue;
    EXPECT_NE(KeycodeOf(key), 0u) << item.shortcut;
  }
}

struct ShortcutCase {
  const char* name;
  const char* shortcut;
};

void PrintTo(const ShortcutCase& c, std::ostream* out) {
  *out << c.shortcut;
}

class UkrainianLayout : public ::testing::TestWithParam<ShortcutCase> {
 protected:
  UkrainianLayout() { qApp->installEventFilter(&filter); }
  ~UkrainianLayout() override { qApp->removeEventFilter(&filter); }
  ProgramFixture f;
  LayoutShortcuts filter{true};
};

// The commands whose windows are modeless; the others open modal dialogs and reach
// the same code.
TEST_P(UkrainianLayout, TheKeyAtTheShortcutsPlaceRunsItsCommand) {
  const QKeySequence shortcut(QString::fromLatin1(GetParam().shortcut));
  QAction* action = nullptr;
  for (QAction* a : f.Main().findChildren<QAction*>()) {
    if (a->shortcut() == shortcut) action = a;
  }
  ASSERT_NE(action, nullptr);
  int runs = 0;
  QObject::connect(action, &QAction::triggered, [&runs] { ++runs; });
  QKeyEvent press = UkrainianPress(shortcut[0].key(), shortcut[0].keyboardModifiers());
  QCoreApplication::sendEvent(&f.Main(), &press);
  EXPECT_EQ(runs, 1);
  f.Settle();
}

INSTANTIATE_TEST_SUITE_P(
    Menu, UkrainianLayout,
    ::testing::Values(ShortcutCase{"BuildAll", "Ctrl+B"}, ShortcutCase{"BuildSelected", "Ctrl+F"},
                      ShortcutCase{"ScanMode", "Ctrl+W"}, ShortcutCase{"Grid", "Ctrl+G"},
                      ShortcutCase{"Sliders", "Ctrl+L"}, ShortcutCase{"Space3D", "Ctrl+Alt+T"},
                      ShortcutCase{"Space2D", "Ctrl+Alt+D"}, ShortcutCase{"ToolPanel", "Ctrl+E"},
                      ShortcutCase{"StatusBar", "Ctrl+T"}, ShortcutCase{"Hints", "Ctrl+D"},
                      ShortcutCase{"AskToSave", "Ctrl+U"}, ShortcutCase{"Palette", "Ctrl+J"},
                      ShortcutCase{"Calculator", "Ctrl+K"}, ShortcutCase{"Notepad", "Ctrl+Z"},
                      ShortcutCase{"Integral", "Ctrl+I"}),
    CaseName());

TEST(KeyboardLayout, ATextFieldTakesItsOwnKeysFirstAndTypingStays) {
  ProgramFixture f;
  LayoutShortcuts filter(true);
  qApp->installEventFilter(&filter);
  QLineEdit field;
  field.insert(QStringLiteral("ab"));
  // A letter without Ctrl is typed as the layout gives it.
  QKeyEvent letter = UkrainianPress(Qt::Key_B, Qt::NoModifier);
  QCoreApplication::sendEvent(&field, &letter);
  EXPECT_EQ(field.text(), QStringLiteral("abи"));
  // Ctrl+Z at its place undoes in the field instead of opening the notepad.
  QKeyEvent undo = UkrainianPress(Qt::Key_Z, Qt::ControlModifier);
  QCoreApplication::sendEvent(&field, &undo);
  EXPECT_NE(field.text(), QStringLiteral("abи"));
  EXPECT_FALSE(f.Windows().Notepad->isVisible());
  QKeyEvent all = UkrainianPress(Qt::Key_A, Qt::ControlModifier);
  QCoreApplication::sendEvent(&field, &all);
  EXPECT_EQ(field.selectedText(), field.text());
  qApp->removeEventFilter(&filter);
}

TEST(KeyboardLayout, NothingChangesWithoutX11KeyCodes) {
  ProgramFixture f;
  LayoutShortcuts filter(false);
  qApp->installEventFilter(&filter);
  QAction* action = f.Main().Action(Command::Calculator);
  int runs = 0;
  QObject::connect(action, &QAction::triggered, [&runs] { ++runs; });
  QKeyEvent press = UkrainianPress(Qt::Key_K, Qt::ControlModifier);
  QCoreApplication::sendEvent(&f.Main(), &press);
  EXPECT_EQ(runs, 0);
  qApp->removeEventFilter(&filter);
}

}  // namespace
}  // namespace lw::test
