// Pictures for the tool buttons, drawn by the program at whatever size and pixel
// density the button asks for, so they stay sharp and need no icon files.
#pragma once

#include <QIcon>

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
  Cut,
  Copy,
  Paste,
  Find,
  Replace,
  Font,
  BackgroundColour,
  Close,
};

QIcon DrawnIcon(ToolGlyph glyph);

}  // namespace lw
