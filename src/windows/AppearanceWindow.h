// "Оформлення :": the look of the 2D picture and a few settings of the 3D view, on
// two pages. Its controls show the document's appearance settings and write every
// change back at once.
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "app/DocumentEditor.h"
#include "windows/WindowKit.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace lw {

class Dialogs;
class Program2D;
class Program3D;

class AppearanceWindow : public SecondaryWindow, public ProgramObserver {
 public:
  // The settings are the document's, edited through edits; the label font goes to the
  // 2D picture at once, the 3D drawing mode and motion to the 3D space.
  AppearanceWindow(QWidget* parent, DocumentEditor& edits, ProgramObservers& observers,
                   Program2D& twoD, Program3D& threeD, Dialogs& dialogs);
  ~AppearanceWindow() override;

  void ShowPage(bool threeD);
  bool ShowsPage3D() const;

  // The control that shows a setting, named by the setting.
  using Flag = bool AppearanceSettings::*;
  using Number = int AppearanceSettings::*;
  QCheckBox* Check(Flag setting) const;
  QComboBox* Combo(Number setting) const;
  QSpinBox* Spin(Number setting) const;
  // Shape1..Shape4 and their buttons.
  Swatch* Shape(int number) const { return shapes_[static_cast<std::size_t>(number - 1)]; }
  QPushButton* ShapeButton(int number) const {
    return shapeButtons_[static_cast<std::size_t>(number - 1)];
  }
  QPushButton* FontButton() const { return fontButton_; }
  QLabel* FontSample() const { return fontSample_; }

  void DocumentChanged() override;
  void AppearanceChanged() override;

 private:
  QWidget* MakePage2D();
  QWidget* MakePage3D();
  void ChangeColour(int shape);
  void ChangeFont();
  void SensitivityChanged();
  void Store();
  void ShowDocument();
  QCheckBox* AddCheck(QWidget* parent, Flag setting, const char* caption);
  void AddCombo(QComboBox* combo, Number setting);
  void AddSpin(QSpinBox* spin, Number setting);

  DocumentEditor& edits_;
  ProgramObservers& observers_;
  Program2D& twoD_;
  Program3D& threeD_;
  Dialogs& dialogs_;
  bool showing_ = false;
  // Each control with the setting it shows and stores.
  std::vector<std::pair<QCheckBox*, Flag>> checks_;
  std::vector<std::pair<QComboBox*, Number>> combos_;
  std::vector<std::pair<QSpinBox*, Number>> spins_;
  std::array<Swatch*, 4> shapes_{};
  std::array<QPushButton*, 4> shapeButtons_{};
  std::array<QPushButton*, 2> pageButtons_{};
  QPushButton* fontButton_ = nullptr;
  QLabel* fontSample_ = nullptr;
  QStackedWidget* pages_ = nullptr;
};

}  // namespace lw
