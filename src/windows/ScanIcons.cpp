#include "windows/ScanIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace lw {

namespace {

const QColor ink(50, 50, 60);
const QColor before(160, 160, 160);
const QColor after(40, 80, 210);
const QColor point(210, 30, 30);
const QColor shift(30, 150, 50);

QPen Pen(const QColor& colour, qreal width, Qt::PenStyle style = Qt::SolidLine) {
  return QPen(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
}

void Axes(QPainter& p) {
  p.setPen(Pen(ink, 1));
  p.drawLine(QPointF(2, 21), QPointF(22, 21));
  p.drawLine(QPointF(3, 22), QPointF(3, 2));
}

void Dot(QPainter& p, QPointF at) {
  p.setPen(Pen(Qt::white, 1));
  p.setBrush(point);
  p.drawEllipse(at, 2.6, 2.6);
}

// A short arrow for the shift that moves the graph onto the point.
void ShiftArrow(QPainter& p, QPointF from, QPointF to) {
  p.setPen(Pen(shift, 1.6));
  p.drawLine(from, to);
  const qreal angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  for (const qreal side : {-0.6, 0.6}) {
    p.drawLine(
        to, QPointF(to.x() - 3.2 * std::cos(angle + side), to.y() - 3.2 * std::sin(angle + side)));
  }
}

QPolygonF Wave(qreal lift) {
  QPolygonF line;
  for (qreal x = 4; x <= 22; x += 0.5) line << QPointF(x, 15 - lift - 3.5 * std::sin(x / 2.6));
  return line;
}

// y = f(x) + c: the grey graph, raised along the arrow, runs through the point.
void FunctionThroughPoint(QPainter& p) {
  Axes(p);
  p.setBrush(Qt::NoBrush);
  p.setPen(Pen(before, 1.2, Qt::DashLine));
  p.drawPolyline(Wave(0));
  p.setPen(Pen(after, 1.8));
  p.drawPolyline(Wave(7));
  ShiftArrow(p, QPointF(7, 17.5), QPointF(7, 11));
  Dot(p, QPointF(15.5, 15 - 7 - 3.5 * std::sin(15.5 / 2.6)));
}

// f(x, y) = c: the grey closed curve grows until it runs through the point.
void RelationThroughPoint(QPainter& p) {
  Axes(p);
  p.setBrush(Qt::NoBrush);
  const QPointF centre(12.5, 11.5);
  p.setPen(Pen(before, 1.2, Qt::DashLine));
  p.drawEllipse(centre, 3.5, 2.8);
  p.setPen(Pen(after, 1.8));
  p.drawEllipse(centre, 8, 6.5);
  ShiftArrow(p, QPointF(centre.x() + 3.5, centre.y()), QPointF(centre.x() + 7, centre.y()));
  Dot(p, QPointF(centre.x() - 8 * std::cos(0.8), centre.y() - 6.5 * std::sin(0.8)));
}

// The dashed selected area becomes the whole plot area: arrows to its corners.
void BoundsFromSelection(QPainter& p) {
  p.setPen(Pen(ink, 1.2));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(2, 2, 20, 20));
  const QRectF selected(8.5, 8.5, 7, 7);
  p.setPen(Pen(point, 1.2, Qt::DashLine));
  p.setBrush(QColor(250, 220, 220));
  p.drawRect(selected);
  const QPointF corners[4][2] = {{selected.topLeft(), {4, 4}},
                                 {selected.topRight(), {20, 4}},
                                 {selected.bottomLeft(), {4, 20}},
                                 {selected.bottomRight(), {20, 20}}};
  for (const auto& corner : corners) ShiftArrow(p, corner[0], corner[1]);
}

}  // namespace

void DrawScanTools(QPainter& p, ToolGlyph glyph) {
  switch (glyph) {
    case ToolGlyph::RelationThroughPoint:
      RelationThroughPoint(p);
      return;
    case ToolGlyph::FunctionThroughPoint:
      FunctionThroughPoint(p);
      return;
    case ToolGlyph::BoundsFromSelection:
      BoundsFromSelection(p);
      return;
    default:
      return;
  }
}

}  // namespace lw
