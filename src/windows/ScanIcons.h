// The pictures of the scan windows' own commands, on the 24 x 24 grid of the tool
// pictures: an expression shifted so that its graph runs through the scanned point,
// and the build bounds taken from the selected area.
#pragma once

#include "windows/ToolGlyph.h"

class QPainter;

namespace lw {

// Draws glyph when it is one of the scan commands; nothing otherwise.
void DrawScanTools(QPainter& p, ToolGlyph glyph);

}  // namespace lw
