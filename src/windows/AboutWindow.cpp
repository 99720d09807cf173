#include "windows/AboutWindow.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QUrl>
#include <cmath>

#include "windows/QtConvert.h"

namespace lw {

namespace {
constexpr Colour aboutBackground = 0x5E570F;
constexpr Colour overColour = 0x0000FF;  // red
constexpr Colour awayColour = 0xFF0000;  // blue
}  // namespace

ContactLabel::ContactLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
  SetColour(ToQColor(awayColour));
  OnOpen = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };
}

void ContactLabel::SetColour(const QColor& colour) {
  if (colour == colour_) return;
  colour_ = colour;
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, colour);
  setPalette(pal);
}

void ContactLabel::mouseMoveEvent(QMouseEvent* event) {
  SetColour(ToQColor(overColour));
  // Kept here: passed on, the window would turn the label blue again.
  event->accept();
}

void ContactLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnOpen) {
    OnOpen(QStringLiteral("mailto:") + text());
  }
  QLabel::mouseReleaseEvent(event);
}

QPixmap AboutPicture(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(QColor(255, 255, 240));
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const double half = size / 2.0;
  painter.setPen(QPen(Qt::black, 1));
  painter.drawLine(QPointF(0, half), QPointF(size, half));
  painter.drawLine(QPointF(half, 0), QPointF(half, size));
  QPainterPath curve;
  for (int px = 0; px <= size; ++px) {
    const double x = (px - half) / size * 4 * M_PI;
    const double y = x == 0 ? 1.0 : std::sin(x) / x;
    const QPointF point(px, half - y * size * 0.4);
    if (px == 0) {
      curve.moveTo(point);
    } else {
      curve.lineTo(point);
    }
  }
  painter.setPen(QPen(QColor(200, 0, 0), 2));
  painter.drawPath(curve);
  painter.setPen(QPen(QColor(0, 0, 160), 1));
  painter.drawEllipse(QPointF(half, half), size * 0.3, size * 0.3);
  return pixmap;
}

AboutWindow::AboutWindow(QWidget* parent)
    : SecondaryWindow(parent, QStringLiteral("Про программу :")) {
  setModal(true);
  setMouseTracking(true);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ToQColor(aboutBackground));
  pal.setColor(QPalette::WindowText, Qt::white);
  setPalette(pal);

  auto* grid = new QGridLayout(this);
  auto* picture = new QLabel(this);
  picture->setPixmap(AboutPicture(64));
  grid->addWidget(picture, 0, 0, 2, 1);
  version_ = new QLabel(QString::fromUtf8(AboutVersionText), this);
  QFont big = version_->font();
  big.setPixelSize(16);
  big.setBold(true);
  version_->setFont(big);
  grid->addWidget(version_, 0, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("E-mail : "), this), 1, 1);
  contact_ = new ContactLabel(QString::fromUtf8(ContactAddress), this);
  grid->addWidget(contact_, 1, 2);
  auto* ok = new QPushButton(QStringLiteral("&Окей"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  grid->addWidget(ok, 2, 0, 1, 3, Qt::AlignHCenter);
  for (QWidget* child : findChildren<QWidget*>()) child->setMouseTracking(true);
  setFixedSize(sizeHint().expandedTo(QSize(280, 140)));
}

void AboutWindow::mouseMoveEvent(QMouseEvent* event) {
  contact_->SetColour(ToQColor(awayColour));
  SecondaryWindow::mouseMoveEvent(event);
}

}  // namespace lw
