// The value-to-colour mapping of colour-gamma graphs and the colour scale that shows it.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "document/Appearance.h"
#include "document/Palette.h"
#include "plot2d/PlotPicture.h"

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
  // result: below 2^31 the product differs from the quotient by less than 1e-6, so a
  // product further than that from a whole number has the quotient's floor.
  //
  // The floor is read from bits rather than converted: adding 1.5 * 2^32 to a
  // product q with -2^31 <= q < 2^31 leaves q in the low mantissa bits as a fixed
  // point number with 20 fraction bits, offset by 2^31 (which 65536 divides). The
  // rounding to 20 bits moves q by at most 4.8e-7, so a fraction two units (1.9e-6)
  // or more from a whole number is decided here; anything else, NaN and products
  // outside that range (the sum then has another exponent) go to the division.
  int Step(double v) const {
    const auto bits = std::bit_cast<std::uint64_t>(v * inverse_ + 6442450944.0);
    const auto fraction = static_cast<std::uint32_t>(bits & 0xFFFFFu);
    if ((bits >> 52) == 0x41Fu && fraction - 2u < 0xFFFFCu) [[likely]] {
      return static_cast<int>(((bits >> 20) + 32768u) & 0xFFFFu);
    }
    return GammaStep(v, gradient_);
  }

 private:
  std::vector<Colour> colours_;
  double gradient_;
  double inverse_;
};

// The colour-scale window's state.
struct ColourScaleState {
  double ValuePerRow = 0.1;
  int RowOffset = 0;      // ramp row shown at the top
  int LabelSpacing = 20;  // pixel rows between labels, always > 0
  int LabelStep = 1;      // value difference between neighbouring labels
};

// The state when the window is opened with this gradient, value 0 in the middle of a
// ramp area rampHeight rows high. A negative gradient makes the values fall downwards,
// and the labels fall with them.
ColourScaleState OpenColourScale(double gradient, int rampHeight);

// Paints the ramp, its frame and its value labels over the whole image.
void PaintColourScale(PlotPicture& image, const ColourScaleState& state, double gradient,
                      const Palette& palette, const LabelFont& font = LabelFont{});

}  // namespace lw
