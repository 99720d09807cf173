// The texts of Qt's standard dialogs (file, colour, font, print, message boxes) in
// Ukrainian, to match the program's own windows.
#pragma once

#include <QTranslator>
#include <memory>

namespace lw {

// Qt's Ukrainian catalogue from the system's translations folder; null when it is
// not installed (the standard dialogs then keep their English texts).
std::unique_ptr<QTranslator> LoadStandardDialogTexts();

}  // namespace lw
