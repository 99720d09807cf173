// Printing a picture: pixel for pixel, unscaled, at the top-left corner of the page,
// or, when asked, scaled to fit the page. Either way the picture is kept lossless; the
// 2D picture is drawn from its shapes, so it stays sharp on the page.
#pragma once

#include <QImage>

class QPrinter;

namespace lw {

class VectorRecord;

// False when the print job cannot be started.
bool PrintImage(QPrinter& printer, const QImage& image, bool fitToPage = false);

// The top-left width x height part of the 2D picture drawn from its record of shapes at
// the printer's own resolution, so lines and text are sharp: one picture pixel a device
// pixel, as the raster prints, or scaled to fit the page. Layers of pixels print
// losslessly. False when the print job cannot be started.
bool PrintRecord(QPrinter& printer, const VectorRecord& record, int width, int height,
                 bool fitToPage = false);

}  // namespace lw
