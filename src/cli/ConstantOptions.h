// The constant options of render2d: --set A=1.5 overrides a constant of the 2D
// constants list, --sweep A=1:5:0.5 renders one picture per value into numbered files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lw::cli {

struct ConstantSet {
  char name = 0;  // upper-case letter
  double value = 0.0;
};

struct ConstantSweep {
  char name = 0;
  double from = 0.0;
  double to = 0.0;
  double step = 0.0;  // > 0; the sweep runs toward to whichever side it lies

  // The number of pictures, or 0 when there would be more than MaxFrames.
  int FrameCount() const;
  double ValueAt(int frame) const;
};

inline constexpr int MaxFrames = 100000;

// "A=1.5" (the letter in either case, ',' or '.' as the decimal separator).
std::optional<ConstantSet> ParseConstantSet(std::string_view text);
// "A=1:5:0.5".
std::optional<ConstantSweep> ParseConstantSweep(std::string_view text);

// A path with one number field in printf style ("%d", "%03d"); "%%" is a percent
// sign. False when the pattern has no field, more than one, or another directive.
bool IsFramePattern(std::string_view pattern);
// The pattern with its number field replaced by frame.
std::string FramePath(std::string_view pattern, int frame);

// Applies the overrides to the lines of a constants list, in order.
void ApplyConstantSets(std::vector<std::string>& lines, const std::vector<ConstantSet>& sets);

}  // namespace lw::cli
