#include "windows/PictureFileDialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include "windows/StandardTexts.h"

namespace lw {

namespace {
constexpr int previewSide = 180;
}  // namespace

PictureFileDialog::PictureFileDialog(QWidget* parent, const QString& title, const QString& filter,
                                     const QString& defaultSuffix, AcceptMode mode)
    : QFileDialog(parent, title, QString(), filter) {
  // Only the dialog drawn by Qt itself has room for a preview.
  setOption(QFileDialog::DontUseNativeDialog);
  SpeakUkrainian(*this);
  setAcceptMode(mode);
  setFileMode(mode == AcceptOpen ? ExistingFile : AnyFile);
  setDefaultSuffix(defaultSuffix);
  preview_ = new QLabel(this);
  preview_->setFixedSize(previewSide, previewSide);
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(preview_, 1, grid->columnCount(), Qt::AlignTop);
  }
  // Room for the file list beside the preview.
  resize(780, 460);
  // A bare name gets the extension of a drawing's filter; pictures keep the default.
  connect(this, &QFileDialog::filterSelected, this, [this, defaultSuffix](const QString& chosen) {
    static const QRegularExpression drawing(QStringLiteral("\\*\\.(svg|pdf)\\)"));
    const QRegularExpressionMatch match = drawing.match(chosen);
    setDefaultSuffix(match.hasMatch() ? match.captured(1) : defaultSuffix);
  });
  connect(this, &QFileDialog::currentChanged, this,
          [this](const QString& path) { ShowPreview(path); });
  // A name typed (or completed) into the name field is previewed as well.
  if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    connect(name, &QLineEdit::textChanged, this, [this](const QString& text) {
      if (!text.isEmpty()) ShowPreview(directory().filePath(text));
    });
  }
}

void PictureFileDialog::ShowPreview(const QString& path) {
  preview_->clear();
  if (!QFileInfo(path).isFile()) return;
  QImageReader reader(path);
  const QSize size = reader.size();
  // Large pictures are decoded at the preview's size, so browsing stays quick.
  if (size.isValid() && (size.width() > previewSide || size.height() > previewSide)) {
    reader.setScaledSize(size.scaled(previewSide - 4, previewSide - 4, Qt::KeepAspectRatio));
  }
  const QImage image = reader.read();
  if (image.isNull()) return;
  preview_->setPixmap(QPixmap::fromImage(image));
}

}  // namespace lw
