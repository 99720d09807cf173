// The 2D plot view: shows the top-left part of the 2D picture and tells the program
// its size; the 3D panel takes its place in 3D mode.
#pragma once

#include <QWidget>

#include "app/ProgramAnalysis.h"

namespace lw {

class Program2D;

// Mouse events go to the scan logic; the selection rectangle is drawn over the
// picture while it is dragged.
class PlotView : public QWidget, private AnalysisObserver {
 public:
  PlotView(QWidget* parent, Program2D& space, ProgramAnalysis& analysis);
  ~PlotView() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SelectionBandChanged() override;

  Program2D& space_;
  ProgramAnalysis& analysis_;
};

}  // namespace lw
