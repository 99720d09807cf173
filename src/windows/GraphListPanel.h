// One graph list of the build-parameters window ("Графіки"): the list box of formula
// texts, the four buttons and the line that describes the selected graph. The 2D
// page and the 3D page each hold one; the operations themselves are the document editor's.
#pragma once

#include <QGroupBox>

class QLabel;
class QListWidget;
class QPushButton;

namespace lw {

class Dialogs;
class GraphParamsDialog;
class DocumentEditor;
struct Palette;
class Swatch;

class GraphListPanel : public QGroupBox {
 public:
  // New graphs take their colour from palette.
  GraphListPanel(QWidget* parent, DocumentEditor& edits, const Palette& palette, bool threeD);
  // The dialog is window 10, made after this one.
  void SetDialog(GraphParamsDialog* dialog) { dialog_ = dialog; }

  void AddGraph();
  void EditGraph();
  void CutGraph();
  void PasteGraph();
  // Shows the list, its selection and the description as the program holds them.
  void Refresh();

  QListWidget* List() const { return list_; }
  QLabel* Description() const { return description_; }
  Swatch* DescriptionSwatch() const { return swatch_; }
  QPushButton* CutButton() const { return cut_; }
  QPushButton* PasteButton() const { return paste_; }
  QPushButton* EditButton() const { return edit_; }
  QPushButton* AddButton() const { return add_; }

 private:
  DocumentEditor& edits_;
  const Palette& palette_;
  GraphParamsDialog* dialog_ = nullptr;
  bool threeD_;
  QListWidget* list_;
  QPushButton* cut_;
  QPushButton* paste_;
  QPushButton* edit_;
  QPushButton* add_;
  Swatch* swatch_;
  QLabel* description_;
};

}  // namespace lw
