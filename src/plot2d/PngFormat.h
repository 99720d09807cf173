// The in-memory half of PNG pictures: 8-bit RGB rows become the bytes of a PNG file.
// Every row is filtered by its difference from the row above and the whole is
// deflated at a low level, which keeps plots nearly as small as the best effort
// would at a fraction of its time. Pictures of at most 256 colours, as most plots
// are, are written with a palette: a third of the bytes to deflate.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace lw {

// Writes the width * 3 bytes (R, G, B) of row y into rgb.
using PngRowSource = std::function<void(int y, std::uint8_t* rgb)>;

// True only when row y (at least 1) has the same bytes as row y - 1: a hint that
// spares reading the row; false is always a safe answer.
using PngRowRepeats = std::function<bool(int y)>;

// The PNG file of a width x height picture (both at least 1); empty when the
// picture is too large to encode. The hint may be left empty.
std::string EncodePng(int width, int height, const PngRowSource& rows,
                      const PngRowRepeats& repeats = {});

}  // namespace lw
