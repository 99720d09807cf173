// The 256-colour table: 768 bytes R, G, B per entry, entry 0 first.
#pragma once

#include <array>
#include <cstdint>

#include "GraphLists.h"

namespace lw {

struct Palette {
  std::array<std::uint8_t, 768> bytes{};

  Colour At(int i) const {
    const auto* p = &bytes[static_cast<std::size_t>(i & 0xFF) * 3];
    return Colour{p[0]} | (Colour{p[1]} << 8) | (Colour{p[2]} << 16);
  }
  void Set(int i, Colour c) {
    auto* p = &bytes[static_cast<std::size_t>(i & 0xFF) * 3];
    p[0] = static_cast<std::uint8_t>(c);
    p[1] = static_cast<std::uint8_t>(c >> 8);
    p[2] = static_cast<std::uint8_t>(c >> 16);
  }
  bool operator==(const Palette&) const = default;
};

}  // namespace lw
