// "Палітра": the 256 colours as a 16 x 16 grid; select, change, randomise, fill,
// save, load, and copy to the 3D palette.
#pragma once

#include <functional>

#include "app/Program.h"
#include "windows/WindowKit.h"

class QCheckBox;
class QPushButton;
class QSpinBox;

namespace lw {

class Dialogs;

// The grid of swatches; the selected one has a white outline.
class PaletteGrid : public QFrame {
 public:
  PaletteGrid(QWidget* parent, Program& program);
  void SetSelected(int entry);
  std::function<void(int entry)> OnPick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Program& program_;
  int selected_ = 0;
};

class PaletteWindow : public SecondaryWindow, public ProgramObserver {
 public:
  PaletteWindow(QWidget* parent, Program& program, Dialogs& dialogs);
  ~PaletteWindow() override;

  int SelectedEntry() const;
  QSpinBox* Number() const { return number_; }
  QSpinBox* Count() const { return count_; }
  Swatch* Selected() const { return swatch_; }
  PaletteGrid* Grid() const { return grid_; }
  QPushButton* Button(const QString& caption) const;

  void PaletteChanged() override;

 private:
  void ShowSelectedColour();
  void ChangeSelectedColour();
  void SavePalette();
  void LoadPalette();

  Program& program_;
  Dialogs& dialogs_;
  Swatch* swatch_;
  QSpinBox* number_;
  QSpinBox* count_;
  QCheckBox* alternate_;
  PaletteGrid* grid_;
};

}  // namespace lw
