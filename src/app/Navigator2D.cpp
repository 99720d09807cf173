#include "app/Navigator2D.h"

#include <QPainter>
#include <QRect>
#include <QTransform>
#include <cmath>

#include "app/Program.h"
#include "app/Program2D.h"

namespace lw {

namespace {

// Notches or keys further apart than this start a new gesture.
constexpr int burstGap = 400;

}  // namespace

void PaintViewPreview(QPainter& painter, const ViewPreview& preview, const QRect& area) {
  const std::uint32_t c = preview.background;
  painter.fillRect(area, QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
  const PixelMap map = preview.Map();
  painter.save();
  painter.setClipRect(area);
  // Pixels stay sharp blocks when zoomed in, as the build will draw them anew anyway.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setTransform(QTransform(map.kx, 0, 0, map.ky, map.tx, map.ty));
  painter.drawImage(QPointF(0, 0), preview.picture);
  painter.restore();
}

Navigator2D::Navigator2D(Program& program)
    : program_(program),
      rebuild_(RebuildRunner{[this](RebuildSpace) { Build(); }, [this] { return program_.Busy(); },
                             [this] {
                               superseded_ = true;
                               program_.DropWork();
                             }}) {
  burstTimer_.setSingleShot(true);
  burstTimer_.setInterval(burstGap);
  QObject::connect(&burstTimer_, &QTimer::timeout, [this] { EndBurst(); });
  program_.Observers().Add(this);
}

Navigator2D::~Navigator2D() {
  RestoreProgress();
  program_.Observers().Remove(this);
}

std::optional<View2D> Navigator2D::Base() {
  if (target_) return target_;
  Program2D& twoD = program_.TwoD();
  if (!twoD.HasView() && !twoD.PrepareView()) return std::nullopt;
  return twoD.View();
}

void Navigator2D::StartPreview(const View2D& to) {
  if (preview_) {
    preview_->to = to;
    return;
  }
  const Program2D& twoD = program_.TwoD();
  preview_ =
      ViewPreview{twoD.VisibleImage(), twoD.View(), to, program_.Doc().Appearance.BackgroundColor};
}

bool Navigator2D::Move(const View2D& from, const PixelMap& map) {
  Program2D& twoD = program_.TwoD();
  const BuildParameters& p = program_.Doc().Params;
  const std::optional<MovedView> moved =
      MoveView(from, twoD.Validated(), p.AutoScale, ViewFieldsOf(p), map, twoD.ViewWidth(),
               twoD.ViewHeight());
  if (!moved) return false;
  StartPreview(moved->view);
  target_ = moved->view;
  ++serial_;
  program_.Edits().SetViewFields(moved->fields);
  rebuild_.Request(RebuildSpace::Space2D);
  Repaint();
  return true;
}

void Navigator2D::StepInBurst(const PixelMap& map) {
  if (drag_) return;  // the drag's own start stays its base
  if (!burst_) {
    const std::optional<View2D> from = Base();
    if (!from) return;
    burst_ = Burst{*from, PixelMap{}};
    program_.Edits().BeginGesture();
  }
  burstTimer_.start();
  // Every step starts from the burst's first view, so the pixel that whole origins
  // may cost is lost once per burst, not once per notch.
  const PixelMap total = Then(burst_->map, map);
  if (Move(burst_->from, total)) burst_->map = total;
}

void Navigator2D::EndBurst() {
  burstTimer_.stop();
  if (!burst_) return;
  burst_.reset();
  program_.Edits().EndGesture();
}

void Navigator2D::Wheel(int px, int py, double notches, ZoomAxes axes) {
  if (notches == 0) return;
  const double f = std::pow(ZoomStep, notches);
  const double fx = axes == ZoomAxes::YOnly ? 1.0 : f;
  const double fy = axes == ZoomAxes::XOnly ? 1.0 : f;
  StepInBurst(ZoomAbout(px, py, fx, fy));
}

void Navigator2D::ZoomAtMiddle(bool in) {
  const Program2D& twoD = program_.TwoD();
  const double f = in ? ZoomStep : 1.0 / ZoomStep;
  StepInBurst(ZoomAbout(twoD.ViewWidth() / 2.0, twoD.ViewHeight() / 2.0, f, f));
}

void Navigator2D::Pan(int columns, int rows) {
  const Program2D& twoD = program_.TwoD();
  // Looking right moves the graphs left; rows grow downwards.
  StepInBurst(Shift(-columns * twoD.ViewWidth() / 10.0, rows * twoD.ViewHeight() / 10.0));
}

void Navigator2D::RestoreBounds() {
  EndBurst();
  ReleaseDrag();
  Program2D& twoD = program_.TwoD();
  if (ViewFieldsOf(program_.Doc().Params) == twoD.FieldBounds()) return;
  {
    GestureScope gesture(program_.Edits());
    program_.Edits().SetViewFields(twoD.FieldBounds());
  }
  ++serial_;
  // The view the fields give is known before the build: the preview goes there.
  if (const std::optional<View2D> view = twoD.ViewOfFields(); view && twoD.HasView()) {
    StartPreview(*view);
    target_ = view;
  }
  rebuild_.Request(RebuildSpace::Space2D);
  Repaint();
}

void Navigator2D::PressDrag(int px, int py) {
  EndBurst();
  ReleaseDrag();
  drag_ = Drag{px, py, std::nullopt};
}

void Navigator2D::DragTo(int px, int py) {
  if (!drag_) return;
  if (!drag_->from) {
    if (px == drag_->x && py == drag_->y) return;
    drag_->from = Base();
    if (!drag_->from) return;
    program_.Edits().BeginGesture();
  }
  Move(*drag_->from, Shift(px - drag_->x, py - drag_->y));
}

void Navigator2D::ReleaseDrag() {
  if (!drag_) return;
  const bool begun = drag_->from.has_value();
  drag_.reset();
  if (begun) program_.Edits().EndGesture();
}

// The builds of moves show no progress window: it would flash up for every picture
// of a drag. The program's own sink comes back when the build has ended.
void Navigator2D::Build() {
  if (programProgress_ == nullptr) {
    programProgress_ = &program_.Progress();
    program_.SetProgress(&silent_);
  }
  builtSerial_ = serial_;
  superseded_ = false;
  program_.TwoD().Redraw();
  building_ = program_.Busy();
  if (building_) return;
  // Refused (a bad field) or done at once.
  RestoreProgress();
  Settle();
}

void Navigator2D::WorkChanged() {
  if (program_.Busy()) return;
  if (building_ && !superseded_) ++pictures_;
  building_ = false;
  RestoreProgress();
  rebuild_.WorkEnded();
  if (!rebuild_.Building()) Settle();
}

// The build of the latest move has ended: the picture replaces the preview.
void Navigator2D::Settle() {
  if (rebuild_.Pending() || builtSerial_ != serial_) return;
  if (!preview_ && !target_) return;
  preview_.reset();
  target_.reset();
  Repaint();
}

void Navigator2D::RestoreProgress() {
  if (programProgress_ == nullptr) return;
  program_.SetProgress(programProgress_);
  programProgress_ = nullptr;
}

void Navigator2D::Repaint() {
  program_.Observers().Notify(&ProgramObserver::PictureChanged);
}

void Navigator2D::DocumentChanged() {
  EndBurst();
  ReleaseDrag();
  rebuild_.Cancel();
  builtSerial_ = serial_;
  Settle();
}

}  // namespace lw
