// What every 2D builder does before and after its sampling loop, and the pixel walk
// shared by the builders that sample every pixel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/Feedback.h"
#include "document/GraphLists.h"
#include "formula/FormulaParser.h"
#include "plot2d/View2D.h"

namespace lw {

// Compiles the entry's formula once and tries it at x = y = 0. A formula that is
// wrong in itself (codes 0..2) puts its message in the status bar and is not usable;
// a formula merely without a value at the trial point is. The program is released
// when this object goes, whatever happened.
class CompiledEntry {
 public:
  CompiledEntry(FormulaParser& parser, const std::string& text, const View2D& view,
                StatusSink& status);
  ~CompiledEntry();
  CompiledEntry(const CompiledEntry&) = delete;
  CompiledEntry& operator=(const CompiledEntry&) = delete;

  bool Usable() const { return usable_; }
  // The formula as compiled, for the copies the worker threads compile.
  const std::string& Normalized() const { return normalized_; }
  // Releases the program and reports "Окей" when the last evaluation had a value.
  void Finish() { Finish(parser_.HasError()); }
  // The same, told whether the walk's last sample (taken on some worker's copy of the
  // engine) had no value.
  void Finish(bool lastHadError);

 private:
  FormulaParser& parser_;
  StatusSink& status_;
  std::string normalized_;
  bool usable_ = false;
  bool released_ = false;
};

// The colour a builder draws with: the entry's colour, or with XOR drawing the colour
// that turns the background into the entry's colour.
inline Colour DrawingColour(Colour colour, bool xorDrawing, Colour background) {
  return (xorDrawing ? (colour ^ background) : colour) & 0x00FFFFFF;
}

// The divisions the last evaluation made by positive (low half) and negative (high
// half) divisors: a change between two samples means a pole may lie between them.
inline std::uint32_t DivisionPair(const DivisionTrackingParser& parser) {
  return static_cast<std::uint32_t>(parser.PositiveDivisions()) |
         (static_cast<std::uint32_t>(parser.NegativeDivisions()) << 16);
}

// How many samples a walk from start by step takes while the value stays <= end.
// A step too small to change the value ends the walk instead of looping forever.
int CountSamples(double start, double end, double step);

// The next sample of a walk, or false when the walk is over.
inline bool NextSample(double& value, double end, double step) {
  const double next = value + step;
  if (!(next > value) || !(next <= end)) return false;
  value = next;
  return true;
}

// Start pixel of the walk: the sample of column c and row r belongs to (Px0 + c, Py0 - r).
struct PixelWalk {
  int Px0 = 0;
  int Py0 = 0;
  int Rows = 0;
};
PixelWalk WalkOf(const View2D& view);

// The x of every column of the walk, found by the same running sum as a serial walk,
// so that columns can be sampled in any order with the same values.
std::vector<double> ColumnSamples(const View2D& view);
// The y of each of the walk's rows, by the same running sum as a serial walk.
std::vector<double> RowSamples(const View2D& view, int rows);

}  // namespace lw
