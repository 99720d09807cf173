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

QString RunFileDialog(QWidget* parent, const QString& title, const QString& filter,
                      const QString& defaultSuffix, QFileDialog::AcceptMode mode,
                      const QString& start = QString()) {
  QFileDialog dialog(parent, title, start, filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
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

bool QtDialogs::ChoosePrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace lw
