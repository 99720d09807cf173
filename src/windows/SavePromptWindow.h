// The modal question "Зберегти зміни ?" asked before a new document, an open and
// the end of the program while the save prompt option is on.
#pragma once

#include "app/DocumentSession.h"
#include "windows/WindowKit.h"

class QPushButton;

namespace lw {

class SavePromptWindow : public QDialog {
 public:
  explicit SavePromptWindow(QWidget* parent);
  // Shows the window modally; closing it by the title bar counts as cancel.
  PromptAnswer Ask();

  QPushButton* YesButton() const { return yes_; }
  QPushButton* NoButton() const { return no_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  QPushButton* yes_;
  QPushButton* no_;
  QPushButton* cancel_;
  PromptAnswer answer_ = PromptAnswer::Cancel;
};

}  // namespace lw
