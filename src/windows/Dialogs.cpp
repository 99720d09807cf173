#include "windows/Dialogs.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "windows/PictureFileDialog.h"
#include "windows/QtConvert.h"
#include "windows/StandardTexts.h"

namespace lw {

std::optional<Colour> QtDialogs::ChooseColour(QWidget* parent, Colour initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

std::optional<LabelFont> QtDialogs::ChooseFont(QWidget* parent, const LabelFont& initial) {
  QFontDialog dialog(DialogFont(initial), parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ChosenFont(dialog.selectedFont(), initial);
}

namespace {

// The extension of a filter line's first pattern: "dxf" for "... (*.dxf)".
QString SuffixOf(const QString& filter) {
  const qsizetype star = filter.indexOf("*.");
  if (star < 0) return {};
  qsizetype end = star + 2;
  while (end < filter.size() && filter[end].isLetterOrNumber()) ++end;
  return filter.mid(star + 2, end - star - 2);
}

ChosenFile RunFileDialogWithFilter(QWidget* parent, const QString& title, const QString& filter,
                                   const QString& defaultSuffix, QFileDialog::AcceptMode mode,
                                   const QString& start = QString()) {
  QFileDialog dialog(parent, title, start, filter);
  SpeakUkrainian(dialog);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  if (mode == QFileDialog::AcceptSave) {
    // A name typed without an extension takes the chosen line's.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& chosen) { dialog.setDefaultSuffix(SuffixOf(chosen)); });
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return {dialog.selectedFiles().first(), dialog.selectedNameFilter()};
}

QString RunFileDialog(QWidget* parent, const QString& title, const QString& filter,
                      const QString& defaultSuffix, QFileDialog::AcceptMode mode,
                      const QString& start = QString()) {
  return RunFileDialogWithFilter(parent, title, filter, defaultSuffix, mode, start).path;
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

std::optional<ChosenFile> QtDialogs::OpenFileAndFilter(QWidget* parent, const QString& title,
                                                       const QString& filter,
                                                       const QString& defaultSuffix) {
  ChosenFile chosen =
      RunFileDialogWithFilter(parent, title, filter, defaultSuffix, QFileDialog::AcceptOpen);
  if (chosen.path.isEmpty()) return std::nullopt;
  return chosen;
}

std::optional<ChosenFile> QtDialogs::SaveFileAndFilter(QWidget* parent, const QString& title,
                                                       const QString& filter,
                                                       const QString& defaultSuffix) {
  ChosenFile chosen =
      RunFileDialogWithFilter(parent, title, filter, defaultSuffix, QFileDialog::AcceptSave);
  if (chosen.path.isEmpty()) return std::nullopt;
  return chosen;
}

bool QtDialogs::ChoosePrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace lw

namespace lw {

bool QtDialogs::ChoosePicturePrinter(QWidget* parent, QPrinter& printer, bool& fitToPage) {
  QPrintDialog dialog(&printer, parent);
  auto* tab = new QWidget;
  tab->setWindowTitle(QStringLiteral("Малюнок"));
  auto* fit = new QCheckBox(QStringLiteral("Вмістити малюнок на сторінку"), tab);
  auto* column = new QVBoxLayout(tab);
  column->addWidget(fit);
  column->addStretch(1);
  dialog.setOptionTabs({tab});
  if (dialog.exec() != QDialog::Accepted) return false;
  fitToPage = fit->isChecked();
  return true;
}

}  // namespace lw

namespace lw {

namespace {
std::optional<QString> RunPictureDialog(QWidget* parent, const QString& title,
                                        const QString& filter, const QString& defaultSuffix,
                                        QFileDialog::AcceptMode mode) {
  PictureFileDialog dialog(parent, title, filter, defaultSuffix, mode);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}
}  // namespace

std::optional<QString> QtDialogs::OpenPictureName(QWidget* parent, const QString& title,
                                                  const QString& filter,
                                                  const QString& defaultSuffix) {
  return RunPictureDialog(parent, title, filter, defaultSuffix, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::SavePictureName(QWidget* parent, const QString& title,
                                                  const QString& filter,
                                                  const QString& defaultSuffix) {
  return RunPictureDialog(parent, title, filter, defaultSuffix, QFileDialog::AcceptSave);
}

}  // namespace lw

namespace lw {

bool QtDialogs::AskYesNo(QWidget* parent, const QString& question, const QString& detail) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Linewright"), question,
                  QMessageBox::NoButton, parent);
  box.setInformativeText(detail);
  QPushButton* yes = box.addButton(QStringLiteral("Так"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("Ні"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

}  // namespace lw
