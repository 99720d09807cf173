// The open and save dialogs for pictures: the standard file dialog with a preview of
// the picture the user has selected.
#pragma once

#include <QFileDialog>
#include <QString>

class QLabel;

namespace lw {

class PictureFileDialog : public QFileDialog {
 public:
  PictureFileDialog(QWidget* parent, const QString& title, const QString& filter,
                    const QString& defaultSuffix, AcceptMode mode);

  // The preview of path: the picture scaled into the preview box, or nothing when
  // path is not a picture this system can read.
  void ShowPreview(const QString& path);
  const QLabel* Preview() const { return preview_; }

 private:
  QLabel* preview_;
};

}  // namespace lw
