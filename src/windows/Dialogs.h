// The standard dialogs the windows ask the user through. The program uses the Qt
// dialogs; tests put answers in their place, so no dialog blocks a test.
#pragma once

#include <QString>
#include <optional>

#include "document/Appearance.h"

class QPrinter;
class QWidget;

namespace lw {

// A file the user picked and the line of the filter list chosen with it.
struct ChosenFile {
  QString path;
  QString filter;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Empty when the user cancels.
  virtual std::optional<Colour> ChooseColour(QWidget* parent, Colour initial) = 0;
  virtual std::optional<LabelFont> ChooseFont(QWidget* parent, const LabelFont& initial) = 0;
  // filter in Qt form ("Name (*.ext);;..."); defaultSuffix without the dot.
  virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& title,
                                              const QString& filter,
                                              const QString& defaultSuffix) = 0;
  virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& title,
                                              const QString& filter,
                                              const QString& defaultSuffix) = 0;
  // As above, the dialog starting at start: a folder, or a file name to propose.
  virtual std::optional<QString> OpenFileNameAt(QWidget* parent, const QString& title,
                                                const QString& filter, const QString& defaultSuffix,
                                                const QString&) {
    return OpenFileName(parent, title, filter, defaultSuffix);
  }
  virtual std::optional<QString> SaveFileNameAt(QWidget* parent, const QString& title,
                                                const QString& filter, const QString& defaultSuffix,
                                                const QString&) {
    return SaveFileName(parent, title, filter, defaultSuffix);
  }
  // The open and save dialogs for pictures, which show the selected picture.
  virtual std::optional<QString> OpenPictureName(QWidget* parent, const QString& title,
                                                 const QString& filter,
                                                 const QString& defaultSuffix) {
    return OpenFileName(parent, title, filter, defaultSuffix);
  }
  virtual std::optional<QString> SavePictureName(QWidget* parent, const QString& title,
                                                 const QString& filter,
                                                 const QString& defaultSuffix) {
    return SaveFileName(parent, title, filter, defaultSuffix);
  }
  // An open dialog that also tells which filter line the user chose (empty when the
  // dialog cannot say).
  virtual std::optional<ChosenFile> OpenFileAndFilter(QWidget* parent, const QString& title,
                                                      const QString& filter,
                                                      const QString& defaultSuffix) {
    auto path = OpenFileName(parent, title, filter, defaultSuffix);
    if (!path) return std::nullopt;
    return ChosenFile{*path, QString()};
  }
  // A save dialog that also tells which filter line the user chose (empty when the
  // dialog cannot say); a name typed without an extension takes that line's.
  virtual std::optional<ChosenFile> SaveFileAndFilter(QWidget* parent, const QString& title,
                                                      const QString& filter,
                                                      const QString& defaultSuffix) {
    auto path = SaveFileName(parent, title, filter, defaultSuffix);
    if (!path) return std::nullopt;
    return ChosenFile{*path, QString()};
  }
  // The print dialog for printer; false when the user cancels. Without a dialog of
  // its own a program cannot print.
  virtual bool ChoosePrinter(QWidget* /*parent*/, QPrinter& /*printer*/) { return false; }
  // The print dialog for a picture, which also offers to fit the picture to the page
  // (off unless the user turns it on).
  virtual bool ChoosePicturePrinter(QWidget* parent, QPrinter& printer, bool& fitToPage) {
    fitToPage = false;
    return ChoosePrinter(parent, printer);
  }
  // A question answered "Так" (true) or "Ні"; detail is shown under it.
  virtual bool AskYesNo(QWidget* /*parent*/, const QString& /*question*/,
                        const QString& /*detail*/) {
    return false;
  }
};

class QtDialogs : public Dialogs {
 public:
  std::optional<Colour> ChooseColour(QWidget* parent, Colour initial) override;
  std::optional<LabelFont> ChooseFont(QWidget* parent, const LabelFont& initial) override;
  std::optional<QString> OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                                      const QString& defaultSuffix) override;
  std::optional<QString> SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                      const QString& defaultSuffix) override;
  std::optional<QString> OpenFileNameAt(QWidget* parent, const QString& title,
                                        const QString& filter, const QString& defaultSuffix,
                                        const QString& start) override;
  std::optional<QString> SaveFileNameAt(QWidget* parent, const QString& title,
                                        const QString& filter, const QString& defaultSuffix,
                                        const QString& start) override;
  std::optional<ChosenFile> OpenFileAndFilter(QWidget* parent, const QString& title,
                                              const QString& filter,
                                              const QString& defaultSuffix) override;
  std::optional<ChosenFile> SaveFileAndFilter(QWidget* parent, const QString& title,
                                              const QString& filter,
                                              const QString& defaultSuffix) override;
  std::optional<QString> OpenPictureName(QWidget* parent, const QString& title,
                                         const QString& filter,
                                         const QString& defaultSuffix) override;
  std::optional<QString> SavePictureName(QWidget* parent, const QString& title,
                                         const QString& filter,
                                         const QString& defaultSuffix) override;
  bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
  bool ChoosePicturePrinter(QWidget* parent, QPrinter& printer, bool& fitToPage) override;
  bool AskYesNo(QWidget* parent, const QString& question, const QString& detail) override;
};

}  // namespace lw
