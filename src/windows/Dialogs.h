// The standard dialogs the windows ask the user through. The program uses the Qt
// dialogs; tests put answers in their place, so no dialog blocks a test.
#pragma once

#include <QString>
#include <optional>

#include "Appearance.h"

class QPrinter;
class QWidget;

namespace lw {

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
  // File dialogs whose list of types matters: selectedFilter gets the type the user
  // chose, and a name typed without an extension gets that type's. Where they are
  // not overridden they are the plain dialogs and leave the choice empty.
  virtual std::optional<QString> OpenFileNameOfType(QWidget* parent, const QString& title,
                                                    const QString& filter,
                                                    QString& selectedFilter) {
    selectedFilter.clear();
    return OpenFileName(parent, title, filter, QString());
  }
  virtual std::optional<QString> SaveFileNameOfType(QWidget* parent, const QString& title,
                                                    const QString& filter,
                                                    const QString& defaultSuffix,
                                                    QString& selectedFilter) {
    selectedFilter.clear();
    return SaveFileName(parent, title, filter, defaultSuffix);
  }
  // The print dialog for printer; false when the user cancels. Without a dialog of
  // its own a program cannot print.
  virtual bool ChoosePrinter(QWidget* /*parent*/, QPrinter& /*printer*/) { return false; }
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
  std::optional<QString> OpenFileNameOfType(QWidget* parent, const QString& title,
                                            const QString& filter,
                                            QString& selectedFilter) override;
  std::optional<QString> SaveFileNameOfType(QWidget* parent, const QString& title,
                                            const QString& filter, const QString& defaultSuffix,
                                            QString& selectedFilter) override;
  bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
};

}  // namespace lw
