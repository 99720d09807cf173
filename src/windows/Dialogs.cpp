#include "Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "QtConvert.h"

namespace lw {

std::optional<Colour> QtDialogs::ChooseColour(QWidget* parent, Colour initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

std::optional<LabelFont> QtDialogs::ChooseFont(QWidget* parent, const LabelFont& initial) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, ToQFont(initial), parent);
  if (!ok) return std::nullopt;
  return FromQFont(chosen, initial);
}

namespace {

// The extension of a filter's first pattern: "dxf" for "... (*.dxf)".
QString SuffixOf(const QString& filter) {
  const qsizetype star = filter.indexOf("*.");
  if (star < 0) return {};
  qsizetype end = star + 2;
  while (end < filter.size() && filter[end].isLetterOrNumber()) ++end;
  return filter.mid(star + 2, end - star - 2);
}

// With selectedFilter, the type chosen is handed back, and a save takes the chosen
// type's extension for a name typed without one.
QString RunFileDialog(QWidget* parent, const QString& title, const QString& filter,
                      const QString& defaultSuffix, QFileDialog::AcceptMode mode,
                      const QString& start = QString(), QString* selectedFilter = nullptr) {
  QFileDialog dialog(parent, title, start, filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  if (selectedFilter != nullptr && mode == QFileDialog::AcceptSave) {
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& chosen) { dialog.setDefaultSuffix(SuffixOf(chosen)); });
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  if (selectedFilter != nullptr) *selectedFilter = dialog.selectedNameFilter();
  return dialog.selectedFiles().first();
}

}  // namespace

std::optional<QString> QtDialogs::OpenFileName(QWidget* parent, const QString& title,
                                               const QString& filter,
                                               const QString& defaultSuffix) {
  QString name = RunFileDialog(parent, title, filter, defaultSuffix, QFileDialog::AcceptOpen);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> QtDialogs::SaveFileName(QWidget* parent, const QString& title,
                                               const QString& filter,
                                               const QString& defaultSuffix) {
  QString name = RunFileDialog(parent, title, filter, defaultSuffix, QFileDialog::AcceptSave);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> QtDialogs::OpenFileNameAt(QWidget* parent, const QString& title,
                                                 const QString& filter,
                                                 const QString& defaultSuffix,
                                                 const QString& start) {
  QString name =
      RunFileDialog(parent, title, filter, defaultSuffix, QFileDialog::AcceptOpen, start);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> QtDialogs::SaveFileNameAt(QWidget* parent, const QString& title,
                                                 const QString& filter,
                                                 const QString& defaultSuffix,
                                                 const QString& start) {
  QString name =
      RunFileDialog(parent, title, filter, defaultSuffix, QFileDialog::AcceptSave, start);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> QtDialogs::OpenFileNameOfType(QWidget* parent, const QString& title,
                                                     const QString& filter,
                                                     QString& selectedFilter) {
  QString name = RunFileDialog(parent, title, filter, QString(), QFileDialog::AcceptOpen, QString(),
                               &selectedFilter);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> QtDialogs::SaveFileNameOfType(QWidget* parent, const QString& title,
                                                     const QString& filter,
                                                     const QString& defaultSuffix,
                                                     QString& selectedFilter) {
  QString name = RunFileDialog(parent, title, filter, defaultSuffix, QFileDialog::AcceptSave,
                               QString(), &selectedFilter);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

bool QtDialogs::ChoosePrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace lw
