// The main window's commands: one table for the menu (captions, access keys,
// shortcuts, check marks) and one for the tool panel (position, hint and picture). The menu
// and the tool panel are built from these tables, and the tests read them too.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "windows/ToolGlyph.h"

namespace lw {

enum class Command {
  None,
  New,
  Open,
  Save,
  SaveAs,
  Print,
  Exit,
  BuildAll2D,
  BuildSelected2D,
  AddGraph2D,
  Clear2D,
  Scan2D,
  ScannedPoints,
  ScanMode,
  TemporaryGrid,
  OpenPicture,
  SavePicture,
  BuildAll3D,
  BuildSelected3D,
  AddGraph3D,
  Clear3D,
  Scan3D,
  Save3DFrame,
  Open3DFile,
  Save3DFile,
  Space2D,
  Space3D,
  ToolPanel,
  StatusBar,
  Hints,
  AskToSave,
  BuildParameters,
  Appearance,
  Palette,
  Calculator,
  Notepad,
  Integral,
  About,
  Help,
  ConstantSliders2D,
  ConstantSliders3D,
  ZoomIn2D,
  ZoomOut2D,
  PanLeft2D,
  PanRight2D,
  PanUp2D,
  PanDown2D,
  RestoreBounds2D,
  Undo,
  Redo,
};
// The number of commands, None included; Command(i) for i below it is a command.
inline constexpr std::size_t CommandCount = std::size_t(Command::Redo) + 1;

enum class MenuCheck { None, Check, Radio };

// Where an item's shortcut is heard: in every window of the program, or only while
// the main window is active (keys that text fields elsewhere use themselves).
enum class KeyScope { Program, MainWindow };

struct MenuItemEntry {
  int menu;                   // index into MenuCaptions()
  std::string_view caption;   // "-" is a separator line
  std::string_view shortcut;  // in QKeySequence portable text form
  Command command;
  MenuCheck check;
  std::string_view hint = {};  // shown over the item while hints are on
  KeyScope scope = KeyScope::Program;
};

struct ToolButtonEntry {
  int top;
  int left;
  int width;
  std::string_view hint;
  Command command;
  ToolGlyph glyph;  // what the button shows
};

std::span<const std::string_view> MenuCaptions();
std::span<const MenuItemEntry> MenuItems();
std::span<const ToolButtonEntry> ToolButtons();

// Separators of the tool panel: their top edges (61 x 3 pixels at left 3).
std::span<const int> ToolSeparatorTops();

}  // namespace lw
