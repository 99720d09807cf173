#include "windows/Viewer3D.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include "app/Program3D.h"
#include "scene3d/SceneGl.h"
#include "scene3d/ViewerGl.h"

namespace lw {

namespace {

// Double-buffered RGBA with depth and stencil, compatibility profile: display lists
// and the fixed-function pipeline need it.
QSurfaceFormat ViewFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  format.setRedBufferSize(8);
  format.setGreenBufferSize(8);
  format.setBlueBufferSize(8);
  format.setDepthBufferSize(24);
  format.setStencilBufferSize(8);
  return format;
}

NavigatorButton ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return NavigatorButton::Left;
    case Qt::RightButton:
      return NavigatorButton::Right;
    default:
      return NavigatorButton::Other;
  }
}

void MakeBlack(QWidget* widget) {
  widget->setAutoFillBackground(true);
  QPalette pal = widget->palette();
  pal.setColor(QPalette::Window, Qt::black);
  widget->setPalette(pal);
  widget->setCursor(Qt::PointingHandCursor);
  widget->setMinimumSize(1, 1);
}

}  // namespace

Viewer3D::Viewer3D(QWidget* parent, Program3D& space) : QOpenGLWidget(parent), space_(space) {
  setFormat(ViewFormat());
  MakeBlack(this);
  space_.SetView(this);
  compileTimer_.setInterval(0);
  compileTimer_.callOnTimeout(this, [this] { CompileSlice(); });
  wheelEnd_.setSingleShot(true);
  wheelEnd_.setInterval(300);
  wheelEnd_.callOnTimeout(this, [this] {
    wheeling_ = false;
    update();
  });
}

Viewer3D::~Viewer3D() {
  if (&space_.View() == this) space_.SetView(nullptr);
  // The context goes with the base class; its lists are freed here, while this
  // object is whole.
  if (context()) disconnect(context(), nullptr, this, nullptr);
  ReleaseLists();
}

void Viewer3D::initializeGL() {
  // Lists of an earlier context (the widget moved to another window) are gone.
  G3dScene& scene = space_.Scene();
  scene.listBase = 0;
  scene.listCount = 0;
  // Each context is new here: the one before was destroyed with its connection.
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] { ReleaseLists(); });
  SetUpContext(scene);
  compiler_.Cancel();
  lw::RebuildDisplayLists(scene);
  fullReady_ = true;
}

void Viewer3D::ReleaseLists() {
  compiler_.Cancel();
  compileTimer_.stop();
  EndDrawing(true);
  G3dScene& scene = space_.Scene();
  if (scene.listCount == 0 || !context()) return;
  makeCurrent();
  DeleteDisplayLists(scene);
  scene.listBase = 0;
  scene.listCount = 0;
  doneCurrent();
}

void Viewer3D::paintGL() {
  const G3dScene& scene = space_.Scene();
  // Set for every frame, from the frame buffer's size in device pixels; a panel of
  // no height still gets a finite aspect ratio.
  const qreal ratio = devicePixelRatioF();
  SetProjection(scene, qRound(width() * ratio), qRound(height() * ratio));
  ApplyPolygonMode(scene);
  lw::PaintScene(scene, turning_ || wheeling_ || !fullReady_ ? Detail::Light : Detail::Full);
  if (endAfterFrame_ && fullReady_) EndDrawing(false);
}

void Viewer3D::RebuildDisplayLists() {
  // Without a context yet, initializeGL compiles the lists when it comes.
  if (!context() || !context()->isValid()) return;
  makeCurrent();
  compiler_.Start(space_.Scene());
  doneCurrent();
  fullReady_ = compiler_.Done();
  endAfterFrame_ = false;
  shownWhileCompiling_.invalidate();
  CompileSlice();
}

void Viewer3D::CompileSlice() {
  // A slice short enough that keys and paints between slices are answered at once.
  constexpr std::chrono::milliseconds slice(30);
  if (!context() || !context()->isValid()) compiler_.Cancel();
  const bool lightWasDone = compiler_.LightDone();
  if (!compiler_.Done()) {
    makeCurrent();
    compiler_.Continue(space_.Scene(), slice);
    doneCurrent();
  }
  if (compiler_.Done()) {
    compileTimer_.stop();
    fullReady_ = true;
    // The command ends once the whole figure is on screen: after the next frame, or
    // now where no frame comes.
    endAfterFrame_ = drawingReported_ && isVisible();
    if (!endAfterFrame_) EndDrawing(false);
    update();
    return;
  }
  compileTimer_.start();
  if (!drawingReported_) {
    drawingReported_ = true;
    space_.DrawingStarted(compiler_.Total());
  }
  space_.DrawingAdvanced(compiler_.Compiled());
  // Drawing a figure of millions of triangles takes a while itself, so the figure is
  // shown when its light lists are all there and now and then after that.
  if ((compiler_.LightDone() && !lightWasDone) || !shownWhileCompiling_.isValid() ||
      shownWhileCompiling_.elapsed() >= 1000) {
    shownWhileCompiling_.start();
    update();
  }
}

void Viewer3D::StopDrawing() {
  if (compiler_.Done()) return;
  compiler_.Cancel();
  compileTimer_.stop();
  EndDrawing(true);
  update();
}

void Viewer3D::EndDrawing(bool stopped) {
  endAfterFrame_ = false;
  if (!drawingReported_) return;
  drawingReported_ = false;
  space_.DrawingEnded(stopped);
}

void Viewer3D::PaintScene() {
  update();
}

void Viewer3D::RepaintMainWindow() {
  window()->update();
}

void Viewer3D::mousePressEvent(QMouseEvent* event) {
  turning_ = true;
  const QPoint at = event->position().toPoint();
  space_.Navigator().MouseDown(ButtonOf(event->button()), at.x(), at.y());
}

void Viewer3D::mouseReleaseEvent(QMouseEvent* event) {
  space_.Navigator().MouseUp(ButtonOf(event->button()));
  turning_ = event->buttons() != Qt::NoButton;
  // The figure in full once the hand lets go.
  if (!turning_) update();
}

void Viewer3D::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (space_.Navigator().MouseMove(at.x(), at.y())) update();
}

void Viewer3D::wheelEvent(QWheelEvent* event) {
  const QPoint turn = event->angleDelta();
  const int delta = turn.y() != 0 ? turn.y() : turn.x();
  if (delta == 0) return;
  space_.Navigator().Wheel(delta / 120.0);
  // A burst of notches moves the light figure; the full one follows when it ends.
  wheeling_ = true;
  wheelEnd_.start();
  update();
  event->accept();
}

Blank3DPanel::Blank3DPanel(QWidget* parent, Program3D& space) : QWidget(parent), space_(space) {
  MakeBlack(this);
  space_.SetView(this);
}

Blank3DPanel::~Blank3DPanel() {
  if (&space_.View() == this) space_.SetView(nullptr);
}

void Blank3DPanel::RepaintMainWindow() {
  window()->update();
}

bool OpenGLAvailable() {
  QOpenGLContext probe;
  return probe.create();
}

QWidget* Make3DPanel(QWidget* parent, Program3D& space) {
  if (OpenGLAvailable()) return new Viewer3D(parent, space);
  return new Blank3DPanel(parent, space);
}

}  // namespace lw
