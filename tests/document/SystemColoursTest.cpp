#include "document/SystemColours.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

TEST(ResolveColour, PlainColoursPassSystemColoursResolve) {
  const struct {
    Colour stored;
    Colour drawn;
  } cases[] = {
      {0x00FF80FF, 0x00FF80FF},  // a plain colour
      {0x02FF80FF, 0x00FF80FF},  // an unused top byte does not leak into the colour
      {0x80000008, 0x00000000},  // window text
      {0xFF000005, 0x00FFFFFF},  // the other flag spelling of window background
      {0x80000005, 0x00FFFFFF},  // window background
      {0x8000000F, 0x00C8D0D4},  // button face
      {0x80000018, 0x00E1FFFF},  // tooltip background, the last known number
      {0x80000019, 0x00000000},  // unknown numbers draw black
      {0xFFFFFFFF, 0x00000000},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveColour(c.stored), c.drawn) << std::hex << c.stored;
}

}  // namespace
}  // namespace lw
