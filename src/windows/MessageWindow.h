// The message window: a small modal box with one line of text and "&Окей", as wide
// as its text. Its caption is set per message.
#pragma once

#include "windows/WindowKit.h"

class QLabel;
class QPushButton;

namespace lw {

class MessageWindow : public SecondaryWindow {
 public:
  explicit MessageWindow(QWidget* parent);

  // Sets caption, text and width (text width + 20, the button centred, never
  // narrower than the caption needs) and shows the window modally until "&Окей" or
  // the title bar closes it.
  void ShowMessageBox(const QString& caption, const QString& text);
  // The layout ShowMessageBox gives, without showing the window.
  void Prepare(const QString& caption, const QString& text);

  // The width a title bar needs to show caption whole.
  int CaptionWidth(const QString& caption) const;

  QLabel* Label() const { return label_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  QLabel* label_;
  QPushButton* ok_;
};

}  // namespace lw
