// The texts of Qt's standard dialogs (file, colour, font, print, message boxes) in
// Ukrainian, to match the program's own windows.
#pragma once

#include <QDateTime>
#include <QString>
#include <QTranslator>

class QFileDialog;

namespace lw {

// Installs Qt's Ukrainian catalogue from the system's translations folder (when it is
// there) and, after it, the program's own catalogue of what that one lacks; makes
// Ukrainian the locale of Qt's texts (file types, dates). Removes both when it ends.
class StandardDialogTexts {
 public:
  StandardDialogTexts();
  ~StandardDialogTexts();
  StandardDialogTexts(const StandardDialogTexts&) = delete;
  StandardDialogTexts& operator=(const StandardDialogTexts&) = delete;

  // False when Qt's catalogue is not installed: only the program's own part speaks.
  bool HasSystemCatalogue() const { return systemLoaded_; }

 private:
  QTranslator system_;
  QTranslator own_;
  bool systemLoaded_ = false;
  bool ownLoaded_ = false;
};

// A file's size and date as the file dialog's list shows them, in Ukrainian.
QString UkrainianFileSize(qint64 bytes);
QString UkrainianFileDate(const QDateTime& modified);

// Qt's own file dialog takes sizes and dates from the system's locale, whatever
// the program's is: its list gets them in Ukrainian, and its side bar room for its
// names. A dialog drawn by the desktop speaks the desktop's language.
void SpeakUkrainian(QFileDialog& dialog);

}  // namespace lw
