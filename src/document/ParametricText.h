// The entries written as several formulas in one text, separated by ';': the
// parametric and polar curves of the 2D list and the parametric surfaces of the 3D
// list. The parts are the coordinate formulas followed by the parameter bounds.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/GraphLists.h"

namespace lw {

// The letter a curve's formulas vary, and the two a surface's formulas vary.
inline constexpr char CurveParameter = 'T';
inline constexpr char SurfaceParameterU = 'U';
inline constexpr char SurfaceParameterV = 'V';

// How many ';'-separated parts each entry takes: FX;FY;T0;T1, R;T0;T1 and
// FX;FY;FZ;U0;U1;V0;V1.
inline constexpr std::size_t ParametricCurveParts = 4;
inline constexpr std::size_t PolarCurveParts = 3;
inline constexpr std::size_t ParametricSurfaceParts = 7;

// Whether a 2D entry is a curve of a parameter rather than a formula of X and Y.
inline bool IsParameterCurve(std::uint8_t kind) {
  return kind == ParametricCurve || kind == PolarCurve;
}
// The parts its text must have; 0 for the kinds written as one formula.
std::size_t PartsOfKind(std::uint8_t kind);
std::size_t PartsOfForm(std::uint32_t form);

// The text cut at every ';', each part with its surrounding blanks removed; nothing
// when the count differs from `parts` or a part is empty.
std::optional<std::vector<std::string>> SplitParts(std::string_view text, std::size_t parts);

// What the status bar says when a text does not have the form its kind asks for.
std::string PartsMessage(std::size_t parts);

}  // namespace lw
