// Printing a picture pixel for pixel, unscaled, at the top-left corner of the page.
#pragma once

#include <QImage>

class QPrinter;

namespace lw {

// False when the print job cannot be started.
bool PrintImage(QPrinter& printer, const QImage& image);

}  // namespace lw
