// The build parameters as the user typed them, and their validated values.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace lw {

class FormulaParser;
class StatusSink;

// Field numbers are those of the edit controls Edit1..Edit25; the settings file
// stores the texts in this numeric order.
enum class ParamField : int {
  ScaleX = 1,
  ScaleY = 2,
  XStart = 3,
  XEnd = 4,
  YStart = 5,
  YEnd = 6,
  VarX = 7,
  VarY = 8,
  XStart3D = 9,
  Proxima = 10,
  XEnd3D = 11,
  Gradient = 12,
  YStart3D = 13,
  YEnd3D = 14,
  VarX3D = 15,
  VarY3D = 16,
  StepX = 17,
  StepY = 18,
  VarZ3D = 19,
  PosX = 20,
  PosY = 21,
  PosZ = 22,
  ZStart3D = 23,
  ZEnd3D = 24,
  StepZ = 25,
};

inline constexpr int ParamFieldCount = 25;

// Texts are UTF-8 in the program; the settings file converts them to code page 1251.
struct BuildParameters {
  BuildParameters();  // the default texts and flags

  std::array<std::string, ParamFieldCount> fields;  // index = field number - 1
  std::vector<std::string> Constants2D;
  std::vector<std::string> Constants3D;
  bool Centering = true;
  bool AutoScale = true;
  bool XorDrawing = false;

  const std::string& Field(ParamField f) const { return fields[static_cast<int>(f) - 1]; }
  std::string& Field(ParamField f) { return fields[static_cast<int>(f) - 1]; }

  bool operator==(const BuildParameters&) const = default;
};

// Where the 2D view lies, as texts: fields 1 to 6 (the two scales and the two
// intervals, in field order) and the centring flag. Moving the view by hand rewrites
// them together; bringing a view back puts them back together.
struct ViewFields2D {
  std::array<std::string, 6> texts;  // ScaleX, ScaleY, XStart, XEnd, YStart, YEnd
  bool Centering = true;
  bool operator==(const ViewFields2D&) const = default;
};
ViewFields2D ViewFieldsOf(const BuildParameters& parameters);
// True when something changed.
bool StoreViewFields(BuildParameters& parameters, const ViewFields2D& view);

struct Params2D {
  double ScaleX = 0, ScaleY = 0;
  double XStart = 0, XEnd = 0, YStart = 0, YEnd = 0;
  double Proxima = 0, Gradient = 0;
  char VarX = 'X', VarY = 'Y';
};

struct Params3D {
  float StepX = 0, StepY = 0, StepZ = 0;
  float XStart3D = 0, XEnd3D = 0, YStart3D = 0, YEnd3D = 0, ZStart3D = 0, ZEnd3D = 0;
  float PosX = 0, PosY = 0, PosZ = 0;
  char VarX3D = 'X', VarY3D = 'Y', VarZ3D = 'Z';
};

// Evaluates the 2D fields on explicitParser into params, stopping at the first bad
// field with its message on status. Values evaluated before a failure stay stored.
bool ValidateParams2D(const BuildParameters& parameters, Params2D& params,
                      FormulaParser& explicitParser, StatusSink& status);

// Clears and rebinds P, E and the Constants2D lines on both 2D parsers.
void BindConstants2D(const BuildParameters& parameters, FormulaParser& explicitParser,
                     FormulaParser& poleParser);

// The same for 3D (floats), binding Constants3D on surfaceParser when all passed.
bool ValidateParams3D(const BuildParameters& parameters, Params3D& params,
                      FormulaParser& surfaceParser, StatusSink& status);

}  // namespace lw
