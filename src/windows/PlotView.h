// The 2D plot view: shows the top-left part of the 2D picture and tells the program
// its size; the 3D panel takes its place in 3D mode.
#pragma once

#include <QWidget>

namespace lw {

class Program;

class PlotView : public QWidget {
 public:
  PlotView(QWidget* parent, Program& program);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  Program& program_;
};

// Black until the 3D view arrives in it.
class Panel3D : public QWidget {
 public:
  explicit Panel3D(QWidget* parent);
};

}  // namespace lw
