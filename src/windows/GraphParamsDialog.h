// "Параметри графіка :": the modal dialog through which a graph is added or edited.
// It shows the 2D group or the 3D group, as the list being edited asks.
#pragma once

#include <QString>
#include <string_view>

#include "document/GraphLists.h"
#include "windows/WindowKit.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lw {

class Dialogs;
class MessageWindow;

class GraphParamsDialog : public QDialog {
 public:
  GraphParamsDialog(QWidget* parent, Dialogs& dialogs);

  void PrepareDialog2D();
  void PrepareDialog3D();

  void Load2D(const QString& text, const PlotP& entry);
  void Load3D(const QString& text, const PlotP3d& entry);
  PlotP Entry2D() const;
  PlotP3d Entry3D() const;
  QString FormulaText() const;

  // Shows the dialog modally; true when "&Окей" closed it.
  bool Run();
  // Says at once why the text was refused, in the message window (the status bar
  // that says it too may be hidden); the dialog then comes back with the text.
  void SetMessageWindow(MessageWindow* messages) { messages_ = messages; }
  void ShowRefusal(std::string_view why);

  QLineEdit* Formula() const { return formula_; }
  QComboBox* Kind() const { return kind_; }
  QComboBox* RelationBox() const { return relation_; }
  QCheckBox* Interpolation() const { return interpolation_; }
  QComboBox* Form() const { return form_; }
  // The form the formula text must have for the chosen kind ("X;Y;T0;T1"), shown
  // beside the kinds and in the empty formula field; empty for one formula.
  QString TextForm() const;
  QLabel* TextFormHint() const { return formHint_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CloseButton() const { return close_; }
  QPushButton* ColourButton() const { return colourButton_; }
  Swatch* ColourSwatch() const { return swatch_; }

 private:
  void ChangeColour();
  void ShowTextForm();

  Dialogs& dialogs_;
  // The buttons fit their captions, and the dialog fits the buttons.
  int buttonWidth_;
  int width_;
  QLineEdit* formula_;
  QGroupBox* group2D_;
  QGroupBox* group3D_;
  QGroupBox* colourGroup_;
  QComboBox* kind_;
  QComboBox* relation_;
  QCheckBox* interpolation_;
  QComboBox* form_;
  QLabel* formHint_;
  bool threeD_ = false;
  Swatch* swatch_;
  QPushButton* colourButton_;
  QPushButton* ok_;
  QPushButton* close_;
  MessageWindow* messages_ = nullptr;
};

}  // namespace lw
