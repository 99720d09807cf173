// The in-memory half of the 2D picture as a drawing that stays sharp at any size: the
// picture's record of shapes (VectorRecord) as SVG text, as a one-page PDF, or painted
// with any QPainter (a printer, an image). The page is the top-left width x height
// pixels of the picture, one pixel a unit (96 per inch); text stays text, lines stay
// paths, and layers of pixels are embedded losslessly.
#pragma once

#include <string>

#include "plot2d/VectorRecord.h"

class QPainter;

namespace lw {

// The SVG document of the record's top-left width x height part.
std::string EncodeSvg(const VectorRecord& record, int width, int height);

// The PDF document, one page of width x height pixels at 96 per inch; empty when it
// cannot be made.
std::string EncodePdf(const VectorRecord& record, int width, int height);

// Paints the record's top-left width x height part with the painter's current
// transformation, one picture pixel a painter unit, clipped to that rectangle.
void PaintRecord(QPainter& painter, const VectorRecord& record, int width, int height);

}  // namespace lw
