// How the 2D picture and the 3D view look: the settings of the appearance window,
// saved with the document.
#pragma once

#include <cstdint>
#include <string>

#include "document/GraphLists.h"

namespace lw {

enum LineStyle : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };

// A font as the document and the options file store it. The defaults are those of a
// font created with default properties: default character set, black text.
struct LabelFont {
  std::uint8_t Charset = 1;  // the default character set
  Colour Color = 0;
  std::int32_t Height = -11;  // negative: character height in pixels
  std::string FaceName = "MS Sans Serif";
  std::int32_t Pitch = 0;
  std::int32_t Size = 8;  // points
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  bool operator==(const LabelFont&) const = default;
};

struct AppearanceSettings {
  // 2D page
  Colour BackgroundColor = 0xFFFFFF;
  Colour AxesColor = 0x000000;
  Colour GridColor = 0xFF80FF;
  bool ShowAxes = true;           // CheckBox1
  bool AxesOnTop = false;         // CheckBox2
  bool ShowBounds = false;        // CheckBox3
  bool ShowVariableNames = true;  // CheckBox4
  bool ShowUnits = true;          // CheckBox5
  bool ShowGrid = false;          // CheckBox6
  bool ClearBackground = true;    // CheckBox7
  int AxesLineStyle = Solid;      // ComboBox1
  int GridLineStyle = Dot;        // ComboBox2
  int AxesLineWidth = 1;          // CSpinEdit1, 1..20
  int GridLineWidth = 1;          // CSpinEdit2, 1..20
  LabelFont Font;

  // 3D page
  bool Clear3D = true;             // CheckBox8 "Очищати фон"
  bool Axes3D = false;             // CheckBox9 "Вісі координат"
  bool AxisLetters3D = false;      // CheckBox10 "X,Y,Z  і.т.н."
  Colour MainColour3D = 0x00FF00;  // Shape2
  int DrawMode3D = 2;              // ComboBox3: 0 points, 1 lines, 2 polygons
  int MotionType = 0;              // ComboBox4: 0 turn, 1 move
  // Mouse sensitivities as typed (factor = value / 100): CSpinEdit5 X, 4 Y, 3 Z, 6 rX, 7 rY, 8 rZ.
  int SensitivityX = 10, SensitivityY = -10, SensitivityZ = 10;
  int SensitivityRX = 100, SensitivityRY = 100, SensitivityRZ = 100;

  bool operator==(const AppearanceSettings&) const = default;
};

}  // namespace lw
