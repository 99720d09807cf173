// The notepad's find and find-and-replace dialogs: the search text, match case and
// whole word, and the buttons that ask the notepad to find or replace. Modeless, so
// the user can go on editing while they are open.
#pragma once

#include <QDialog>
#include <functional>

#include "app/NotepadDocument.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace lw {

class FindDialog : public QDialog {
 public:
  // withReplace adds the replacement text and the replace buttons.
  FindDialog(QWidget* parent, bool withReplace);

  // Shows the dialog with its search text set to preset.
  void Open(const QString& preset);

  QString SearchText() const;
  QString ReplaceText() const;
  FindOptions Options() const;

  QLineEdit* SearchEdit() const { return search_; }
  QLineEdit* ReplaceEdit() const { return replace_; }
  QCheckBox* MatchCaseBox() const { return matchCase_; }
  QPushButton* ReplaceAllButton() const { return replaceAll_; }

  std::function<void()> OnFindNext;
  std::function<void()> OnReplace;
  std::function<void()> OnReplaceAll;

 private:
  QLineEdit* search_;
  QLineEdit* replace_ = nullptr;
  QCheckBox* matchCase_;
  QCheckBox* wholeWord_;
  QPushButton* find_;
  QPushButton* replaceOne_ = nullptr;
  QPushButton* replaceAll_ = nullptr;
};

}  // namespace lw
