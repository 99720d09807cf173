// The help viewer: the program's help pages (HTML beside the program), opened on
// their contents page, with back, forward and contents buttons.
#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;
class QToolButton;

namespace lw {

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent);
  // Shows the contents page at path; false (and nothing shown) when it is missing.
  bool ShowContents(const QString& path);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
  QToolButton* back_;
  QToolButton* forward_;
  QToolButton* home_;
  QUrl contents_;
};

}  // namespace lw
