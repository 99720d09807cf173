// Documents may hold system colours: values with the high bit set whose low byte
// names a colour of the desktop theme rather than giving one. Whoever draws with a
// colour turns it into a plain 0x00BBGGRR value here.
#pragma once

#include <array>

#include "document/GraphLists.h"

namespace lw {

inline constexpr Colour SystemColourFlag = 0x80000000u;

// The classic theme's value of each system colour number (0x00BBGGRR).
inline constexpr std::array<Colour, 25> SystemColourTable{
    0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080,
    0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000, 0xE1FFFF};

// A plain colour comes back unchanged (its unused top byte cleared); a system
// colour gives its theme value, black when the number is unknown.
inline Colour ResolveColour(Colour colour) {
  if ((colour & SystemColourFlag) == 0) return colour & 0xFFFFFF;
  const Colour index = colour & 0xFF;
  return index < SystemColourTable.size() ? SystemColourTable[index] : 0;
}

}  // namespace lw
