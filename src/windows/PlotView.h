// The 2D plot view: shows the top-left part of the 2D picture and tells the program
// its size; the 3D panel takes its place in 3D mode.
#pragma once

#include <QWidget>

#include "app/ProgramAnalysis.h"

namespace lw {

class Navigator2D;
class Program2D;

// Mouse events go to the scan logic; the selection rectangle is drawn over the
// picture while it is dragged. The wheel zooms; out of scan mode, where a press
// scans nothing, the left and the middle button drag the graphs. While a move of
// the view is being built its preview is shown instead of the picture.
class PlotView : public QWidget, private AnalysisObserver {
 public:
  PlotView(QWidget* parent, Program2D& space, ProgramAnalysis& analysis, Navigator2D& navigation);
  ~PlotView() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void SelectionBandChanged() override;

  Program2D& space_;
  ProgramAnalysis& analysis_;
  Navigator2D& navigation_;
  Qt::MouseButton dragButton_ = Qt::NoButton;
};

}  // namespace lw
