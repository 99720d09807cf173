// "Шкала кольорів": the colour-gamma mapping as a vertical ramp with value labels,
// so that colours on the picture can be read back as values.
#pragma once

#include "plot2d/ColorGamma.h"
#include "windows/WindowKit.h"

class QSpinBox;
class QToolButton;

namespace lw {

class Program2D;

// The ramp itself (129 x 329): values grow downward.
class ColourRamp : public QWidget {
 public:
  ColourRamp(QWidget* parent, const Palette& palette);
  ColourScaleState State;
  double Gradient = 0.1;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Palette& palette_;
};

class ColourScaleWindow : public SecondaryWindow {
 public:
  // The gradient comes from the 2D space; the colours are the 2D palette's.
  ColourScaleWindow(QWidget* parent, Program2D& space, const Palette& palette);

  // The "Шкала" button: takes the gradient and shows the window; false (and no
  // window) when the gradient cannot be evaluated.
  bool Open();
  // Puts value 0 in the middle of the ramp.
  void Centre();
  void Scroll(int rows);

  ColourRamp* Ramp() const { return ramp_; }
  QSpinBox* Step() const { return step_; }
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  Program2D& space_;
  ColourRamp* ramp_;
  QSpinBox* step_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace lw
