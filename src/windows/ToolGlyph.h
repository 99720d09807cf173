// The pictures a tool button can show, named by what they stand for; the tool tables
// say which button shows which, and ToolIcons draws them.
#pragma once

namespace lw {

enum class ToolGlyph {
  NewFile,
  OpenFile,
  Save,
  SaveAs,
  Print,
  Exit,
  BuildAll2D,
  BuildSelected2D,
  AddGraph2D,
  Clear2D,
  Scan2D,
  PointList,
  SavePicture,
  OpenPicture,
  BuildAll3D,
  BuildSelected3D,
  AddGraph3D,
  Clear3D,
  Scan3D,
  SaveFrame3D,
  Save3DFile,
  Open3DFile,
  Parameters,
  Appearance,
  Palette,
  Calculator,
  Notepad,
  Integral,
  Help,
  ConstantSliders,
  Undo,
  Redo,
  Cut,
  Copy,
  Paste,
  Find,
  Replace,
  Font,
  BackgroundColour,
  Close,
  RelationThroughPoint,
  FunctionThroughPoint,
  BoundsFromSelection,
};

}  // namespace lw
