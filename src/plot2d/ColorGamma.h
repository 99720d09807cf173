// The value-to-colour mapping of colour-gamma graphs and the colour scale that shows it.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "Appearance.h"
#include "Palette.h"
#include "PlotPicture.h"

namespace lw {

// The palette spans 65536 steps of the gradient: value v lies on step
// (floor(v / gradient) + 32768) mod 65536, so v = 0 is step 32768 (entry 128) and the
// mapping repeats in both directions. Quotients beyond the 32-bit range continue the
// same period (the remainder of a double by 65536 is exact); an infinite or undefined
// quotient takes the colour of 0.
int GammaStep(double v, double gradient);

// Step k blends entry k >> 8 towards the next entry by (k & 255) / 255 per channel; the
// entry after 255 is entry 0, so the colours run on smoothly where the mapping repeats.
Colour GammaStepColour(int step, const Palette& palette);

// The colour of v (0x00BBGGRR).
Colour GammaColor(double v, double gradient, const Palette& palette);

// All 65536 step colours of one palette, for the per-pixel loop of the builder.
class GammaRamp {
 public:
  GammaRamp(const Palette& palette, double gradient);
  Colour operator()(double v) const { return colours_[static_cast<std::size_t>(Step(v))]; }
  // GammaStep(v, gradient), found by a multiplication where that cannot change the
  // result: the product differs from the quotient by less than 1e-6 below 2^31, so a
  // product at least 1e-6 away from a whole number has the quotient's floor.
  int Step(double v) const {
    const double q = v * inverse_;
    if (std::fabs(q) < 2147483647.0) {
      std::int32_t t = static_cast<std::int32_t>(q);
      if (static_cast<double>(t) > q) --t;
      const double fraction = q - t;
      if (fraction > 1e-6 && fraction < 1 - 1e-6) {
        return static_cast<int>((static_cast<std::uint32_t>(t) + 32768u) & 0xFFFFu);
      }
    }
    return GammaStep(v, gradient_);
  }

 private:
  std::vector<Colour> colours_;
  double gradient_;
  double inverse_;
};

// The colour-scale window's state.
struct ColorScaleState {
  double ValuePerRow = 0.1;
  int RowOffset = 0;      // ramp row shown at the top
  int LabelSpacing = 20;  // pixel rows between labels, always > 0
  int LabelStep = 1;      // value difference between neighbouring labels
};

// The state when the window is opened with this gradient, value 0 in the middle of a
// ramp area rampHeight rows high. A negative gradient makes the values fall downwards,
// and the labels fall with them.
ColorScaleState OpenColorScale(double gradient, int rampHeight);

// Paints the ramp, its frame and its value labels over the whole image.
void PaintColorScale(PlotPicture& image, const ColorScaleState& state, double gradient,
                     const Palette& palette, const LabelFont& font = LabelFont{});

}  // namespace lw
