// Printing a picture: pixel for pixel, unscaled, at the top-left corner of the page,
// or, when asked, scaled to fit the page. Either way the picture is kept lossless.
#pragma once

#include <QImage>

class QPrinter;

namespace lw {

// False when the print job cannot be started.
bool PrintImage(QPrinter& printer, const QImage& image, bool fitToPage = false);

}  // namespace lw
