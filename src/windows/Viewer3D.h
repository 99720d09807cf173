// The 3D panel of the main window: an OpenGL view of the program's 3D space with
// mouse navigation. Where no OpenGL context can be made the panel stays black and
// draws nothing.
#pragma once

#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QTimer>
#include <QWidget>

#include "scene3d/Build3DContext.h"
#include "scene3d/SceneGl.h"

namespace lw {

class Program3D;

class Viewer3D : public QOpenGLWidget, public Scene3DView {
 public:
  Viewer3D(QWidget* parent, Program3D& space);
  ~Viewer3D() override;

  // Scene3DView
  void RebuildDisplayLists() override;
  void PaintScene() override;
  void RepaintMainWindow() override;
  void StopDrawing() override;

 protected:
  void initializeGL() override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void ReleaseLists();
  // Compiles lists for a slice of time, then lets the events in.
  void CompileSlice();
  // Tells the program that the figure is drawn (or stopped), once it was told that
  // drawing began.
  void EndDrawing(bool stopped);

  Program3D& space_;
  DisplayListCompiler compiler_;
  QTimer compileTimer_;
  QElapsedTimer shownWhileCompiling_;
  // A button is held or the wheel turns: the view draws the light lists.
  bool turning_ = false;
  bool wheeling_ = false;
  QTimer wheelEnd_;
  // Every full list is compiled; until then the light lists stand in.
  bool fullReady_ = true;
  // The program was told that drawing began; the next full frame ends it.
  bool drawingReported_ = false;
  bool endAfterFrame_ = false;
};

// Stands in for the view where OpenGL is missing (the offscreen platform).
class Blank3DPanel : public QWidget, public Scene3DView {
 public:
  Blank3DPanel(QWidget* parent, Program3D& space);
  ~Blank3DPanel() override;

  void RebuildDisplayLists() override {}
  void PaintScene() override { update(); }
  void RepaintMainWindow() override;

 private:
  Program3D& space_;
};

// True when this platform gives an OpenGL context.
bool OpenGLAvailable();

// The view, or the blank panel where OpenGL is missing; it binds itself to space.
QWidget* Make3DPanel(QWidget* parent, Program3D& space);

}  // namespace lw
