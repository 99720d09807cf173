// Pictures for the tool buttons, drawn by the program at whatever size and pixel
// density the button asks for, so they stay sharp and need no icon files.
#pragma once

#include <QIcon>

#include "windows/ToolGlyph.h"

namespace lw {

QIcon DrawnIcon(ToolGlyph glyph);

}  // namespace lw
