#include "windows/ToolIcons.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "windows/ScanIcons.h"

namespace lw {

namespace {

// Every picture is drawn on a 24 x 24 grid and scaled to the size asked for.
constexpr qreal grid = 24.0;
const QColor ink(50, 50, 60);

QPen Pen(const QColor& colour, qreal width = 1.0) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, const QRectF& r) {
  QPainterPath sheet;
  sheet.moveTo(r.topLeft());
  sheet.lineTo(r.right() - 4, r.top());
  sheet.lineTo(r.right(), r.top() + 4);
  sheet.lineTo(r.bottomRight());
  sheet.lineTo(r.bottomLeft());
  sheet.closeSubpath();
  p.setPen(Pen(ink));
  p.setBrush(Qt::white);
  p.drawPath(sheet);
  p.drawPolyline(QPolygonF(
      {{r.right() - 4, r.top()}, {r.right() - 4, r.top() + 4}, {r.right(), r.top() + 4}}));
}

void TextLines(QPainter& p, const QRectF& r, int count) {
  p.setPen(Pen(QColor(120, 140, 170)));
  for (int i = 0; i < count; ++i) {
    const qreal y = r.top() + 2 + i * 3;
    if (y > r.bottom()) break;
    p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
  }
}

void Folder(QPainter& p, const QRectF& r) {
  p.setPen(Pen(QColor(150, 110, 20)));
  p.setBrush(QColor(240, 200, 80));
  QPainterPath back;
  back.moveTo(r.left(), r.bottom());
  back.lineTo(r.left(), r.top());
  back.lineTo(r.left() + r.width() * 0.4, r.top());
  back.lineTo(r.left() + r.width() * 0.5, r.top() + r.height() * 0.2);
  back.lineTo(r.right(), r.top() + r.height() * 0.2);
  back.lineTo(r.right(), r.bottom());
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(QColor(250, 220, 120));
  p.drawPolygon(QPolygonF({{r.left(), r.bottom()},
                           {r.left() + r.width() * 0.15, r.top() + r.height() * 0.4},
                           {r.right() + 1, r.top() + r.height() * 0.4},
                           {r.right() - r.width() * 0.1, r.bottom()}}));
}

void Disk(QPainter& p, const QRectF& r) {
  p.setPen(Pen(QColor(20, 40, 90)));
  p.setBrush(QColor(60, 100, 190));
  p.drawRoundedRect(r, r.width() * 0.1, r.width() * 0.1);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(r.left() + r.width() * 0.2, r.top(), r.width() * 0.6, r.height() * 0.42));
  p.setBrush(QColor(190, 195, 205));
  p.drawRect(QRectF(r.left() + r.width() * 0.28, r.bottom() - r.height() * 0.35, r.width() * 0.44,
                    r.height() * 0.35));
}

void Plus(QPainter& p, QPointF c, qreal s) {
  p.setPen(Pen(QColor(20, 110, 20), 1));
  p.setBrush(QColor(60, 180, 60));
  const qreal t = s / 3;
  p.drawPolygon(QPolygonF({{c.x() - t / 2, c.y() - s / 2},
                           {c.x() + t / 2, c.y() - s / 2},
                           {c.x() + t / 2, c.y() - t / 2},
                           {c.x() + s / 2, c.y() - t / 2},
                           {c.x() + s / 2, c.y() + t / 2},
                           {c.x() + t / 2, c.y() + t / 2},
                           {c.x() + t / 2, c.y() + s / 2},
                           {c.x() - t / 2, c.y() + s / 2},
                           {c.x() - t / 2, c.y() + t / 2},
                           {c.x() - s / 2, c.y() + t / 2},
                           {c.x() - s / 2, c.y() - t / 2},
                           {c.x() - t / 2, c.y() - t / 2}}));
}

void Cross(QPainter& p, QPointF c, qreal s, const QColor& colour) {
  p.setPen(Pen(colour, s / 3.5));
  p.drawLine(QPointF(c.x() - s / 2, c.y() - s / 2), QPointF(c.x() + s / 2, c.y() + s / 2));
  p.drawLine(QPointF(c.x() + s / 2, c.y() - s / 2), QPointF(c.x() - s / 2, c.y() + s / 2));
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, qreal width = 2) {
  p.setPen(Pen(colour, width));
  p.drawLine(from, to);
  const qreal angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  const qreal head = 3.5;
  for (qreal side : {-0.6, 0.6}) {
    p.drawLine(to, QPointF(to.x() - head * std::cos(angle + side),
                           to.y() - head * std::sin(angle + side)));
  }
}

void Axes(QPainter& p) {
  Arrow(p, QPointF(2, 20), QPointF(22, 20), ink, 1);
  Arrow(p, QPointF(4, 22), QPointF(4, 2), ink, 1);
}

void Curve(QPainter& p, const QColor& colour, qreal phase, qreal width) {
  QPolygonF points;
  for (qreal x = 5; x <= 21; x += 0.5) points << QPointF(x, 11 - 6 * std::sin(x / 3.0 + phase));
  p.setPen(Pen(colour, width));
  p.drawPolyline(points);
}

// A box in perspective, the space of the 3D graphs.
void Cube(QPainter& p) {
  p.setPen(Pen(ink));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(QPolygonF({{3, 8}, {15, 8}, {15, 21}, {3, 21}}));
  p.drawPolyline(QPolygonF({{3, 8}, {9, 3}, {21, 3}, {15, 8}}));
  p.drawPolyline(QPolygonF({{21, 3}, {21, 16}, {15, 21}}));
}

void Surface(QPainter& p, const QColor& colour, qreal lift, qreal width) {
  p.setPen(Pen(colour, width));
  for (int row = 0; row < 3; ++row) {
    QPolygonF line;
    for (qreal t = 0; t <= 1.001; t += 0.1) {
      const qreal x = 4 + t * 11 + row * 2.5;
      line << QPointF(x, 16 - lift - row * 2.5 - 3 * std::sin(t * 3.14159));
    }
    p.drawPolyline(line);
  }
}

void Crosshair(QPainter& p, QPointF c) {
  p.setPen(Pen(QColor(200, 30, 30), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, 3.5, 3.5);
  p.drawLine(QPointF(c.x() - 6, c.y()), QPointF(c.x() + 6, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - 6), QPointF(c.x(), c.y() + 6));
}

void Picture(QPainter& p, const QRectF& r) {
  p.setPen(Pen(ink));
  p.setBrush(QColor(170, 210, 250));
  p.drawRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 200, 40));
  p.drawEllipse(QPointF(r.right() - 4, r.top() + 4), 2, 2);
  p.setBrush(QColor(70, 160, 70));
  p.drawPolygon(QPolygonF({{r.left() + 0.5, r.bottom() - 0.5},
                           {r.left() + r.width() * 0.35, r.top() + r.height() * 0.4},
                           {r.left() + r.width() * 0.6, r.bottom() - r.height() * 0.3},
                           {r.left() + r.width() * 0.75, r.top() + r.height() * 0.55},
                           {r.right() - 0.5, r.bottom() - 0.5}}));
}

void Magnifier(QPainter& p, QPointF c, qreal radius) {
  p.setPen(Pen(QColor(110, 70, 30), radius * 0.6));
  p.drawLine(QPointF(c.x() + radius * 0.7, c.y() + radius * 0.7),
             QPointF(c.x() + radius * 1.8, c.y() + radius * 1.8));
  p.setPen(Pen(ink, 1.5));
  p.setBrush(QColor(210, 235, 255, 200));
  p.drawEllipse(c, radius, radius);
}

void Letter(QPainter& p, const QRectF& r, const QString& text, const QColor& colour, bool serif) {
  QFont font(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
  font.setPixelSize(static_cast<int>(r.height()));
  font.setBold(true);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(r, Qt::AlignCenter, text);
}

void DrawFiles(QPainter& p, ToolGlyph glyph) {
  switch (glyph) {
    case ToolGlyph::NewFile:
      Page(p, QRectF(4, 2, 14, 19));
      Plus(p, QPointF(17, 17), 8);
      return;
    case ToolGlyph::OpenFile:
      Folder(p, QRectF(2, 5, 20, 15));
      return;
    case ToolGlyph::Save:
      Disk(p, QRectF(3, 3, 18, 18));
      return;
    case ToolGlyph::SaveAs:
      Disk(p, QRectF(2, 2, 15, 15));
      Page(p, QRectF(11, 10, 10, 12));
      TextLines(p, QRectF(13, 13, 6, 8), 3);
      return;
    case ToolGlyph::Print:
      p.setPen(Pen(ink));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(7, 2, 10, 8));
      p.setBrush(QColor(150, 155, 165));
      p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(6, 15, 12, 7));
      TextLines(p, QRectF(8, 16, 8, 5), 2);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(60, 200, 60));
      p.drawEllipse(QPointF(19, 12), 1, 1);
      return;
    case ToolGlyph::Exit:
      p.setPen(Pen(ink));
      p.setBrush(QColor(150, 100, 60));
      p.drawRect(QRectF(3, 2, 11, 20));
      p.setBrush(QColor(40, 30, 20));
      p.drawPolygon(QPolygonF({{3, 2}, {9, 4}, {9, 22}, {3, 22}}));
      Arrow(p, QPointF(11, 12), QPointF(22, 12), QColor(200, 30, 30), 2.5);
      return;
    default:
      return;
  }
}

void DrawSpaces(QPainter& p, ToolGlyph glyph) {
  const QColor red(210, 40, 40), blue(40, 80, 210);
  switch (glyph) {
    case ToolGlyph::BuildAll2D:
      Axes(p);
      Curve(p, blue, 1.5, 1.5);
      Curve(p, red, 0, 1.5);
      return;
    case ToolGlyph::BuildSelected2D:
      Axes(p);
      Curve(p, QColor(170, 170, 170), 1.5, 1);
      Curve(p, red, 0, 2.5);
      return;
    case ToolGlyph::AddGraph2D:
      Axes(p);
      Curve(p, blue, 0, 1.5);
      Plus(p, QPointF(17, 15), 9);
      return;
    case ToolGlyph::Clear2D:
      Axes(p);
      Curve(p, QColor(170, 170, 170), 0, 1.5);
      Cross(p, QPointF(14, 11), 10, red);
      return;
    case ToolGlyph::Scan2D:
      Axes(p);
      Curve(p, blue, 0, 1.5);
      Crosshair(p, QPointF(12.5, 11 - 6 * std::sin(12.5 / 3.0)));
      return;
    case ToolGlyph::BuildAll3D:
      Cube(p);
      Surface(p, blue, 2, 1.2);
      Surface(p, red, -2, 1.2);
      return;
    case ToolGlyph::BuildSelected3D:
      Cube(p);
      Surface(p, QColor(170, 170, 170), 3, 1);
      Surface(p, red, -1, 2);
      return;
    case ToolGlyph::AddGraph3D:
      Cube(p);
      Surface(p, blue, 0, 1.2);
      Plus(p, QPointF(17, 16), 9);
      return;
    case ToolGlyph::Clear3D:
      Cube(p);
      Surface(p, QColor(170, 170, 170), 0, 1.2);
      Cross(p, QPointF(12, 12), 10, red);
      return;
    case ToolGlyph::Scan3D:
      Cube(p);
      Surface(p, blue, 0, 1.2);
      Crosshair(p, QPointF(11, 11));
      return;
    default:
      return;
  }
}

void DrawPictures(QPainter& p, ToolGlyph glyph) {
  switch (glyph) {
    case ToolGlyph::PointList:
      p.setPen(Pen(ink));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(3, 2, 18, 20));
      for (int i = 0; i < 4; ++i) {
        const qreal y = 6 + i * 4.3;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 30, 30));
        p.drawEllipse(QPointF(7, y), 1.5, 1.5);
        p.setPen(Pen(QColor(90, 110, 140)));
        p.drawLine(QPointF(10, y), QPointF(18, y));
      }
      return;
    case ToolGlyph::SavePicture:
      Picture(p, QRectF(2, 3, 17, 13));
      Disk(p, QRectF(12, 12, 10, 10));
      return;
    case ToolGlyph::OpenPicture:
      Picture(p, QRectF(2, 3, 17, 13));
      Folder(p, QRectF(11, 13, 11, 9));
      return;
    case ToolGlyph::SaveFrame3D:
      p.setPen(Pen(ink));
      p.setBrush(QColor(90, 95, 105));
      p.drawRoundedRect(QRectF(2, 7, 20, 13), 2, 2);
      p.drawRect(QRectF(7, 4, 7, 3));
      p.setBrush(QColor(160, 200, 240));
      p.drawEllipse(QPointF(12, 13.5), 4.5, 4.5);
      p.setBrush(QColor(40, 60, 100));
      p.drawEllipse(QPointF(12, 13.5), 2, 2);
      return;
    case ToolGlyph::Save3DFile:
      Cube(p);
      Disk(p, QRectF(12, 12, 10, 10));
      return;
    case ToolGlyph::Open3DFile:
      Cube(p);
      Folder(p, QRectF(11, 13, 11, 9));
      return;
    default:
      return;
  }
}

void DrawTools(QPainter& p, ToolGlyph glyph) {
  switch (glyph) {
    case ToolGlyph::Parameters:
      for (int i = 0; i < 3; ++i) {
        const qreal y = 5 + i * 7;
        p.setPen(Pen(ink, 1.5));
        p.drawLine(QPointF(3, y), QPointF(21, y));
        p.setPen(Pen(ink));
        p.setBrush(QColor(240, 170, 40));
        p.drawRect(QRectF(6 + i * 5, y - 2.5, 4, 5));
      }
      return;
    case ToolGlyph::Appearance:
      p.setPen(Pen(QColor(120, 80, 40), 3));
      p.drawLine(QPointF(20, 3), QPointF(11, 12));
      p.setPen(Pen(ink));
      p.setBrush(QColor(200, 60, 160));
      p.drawPolygon(QPolygonF({{11, 10}, {14, 13}, {8, 21}, {3, 21}, {4, 16}}));
      return;
    case ToolGlyph::Palette: {
      p.setPen(Pen(ink));
      p.setBrush(QColor(230, 200, 150));
      QPainterPath board;
      board.addEllipse(QRectF(2, 3, 20, 18));
      QPainterPath hole;
      hole.addEllipse(QRectF(13, 14, 4, 4));
      p.drawPath(board.subtracted(hole));
      const std::pair<QPointF, QColor> dots[] = {{{7, 8}, QColor(220, 30, 30)},
                                                 {{12, 6.5}, QColor(250, 210, 30)},
                                                 {{17, 8}, QColor(40, 170, 60)},
                                                 {{6.5, 14}, QColor(40, 80, 220)}};
      p.setPen(Qt::NoPen);
      for (const auto& [at, colour] : dots) {
        p.setBrush(colour);
        p.drawEllipse(at, 2.2, 2.2);
      }
      return;
    }
    default:
      return;
  }
}

void DrawApps(QPainter& p, ToolGlyph glyph) {
  switch (glyph) {
    case ToolGlyph::Calculator:
      p.setPen(Pen(ink));
      p.setBrush(QColor(120, 125, 140));
      p.drawRoundedRect(QRectF(4, 2, 16, 20), 2, 2);
      p.setBrush(QColor(200, 230, 190));
      p.drawRect(QRectF(6, 4, 12, 5));
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) p.drawRect(QRectF(6 + c * 4.2, 11 + r * 3.7, 3, 2.6));
      }
      return;
    case ToolGlyph::Notepad:
      Page(p, QRectF(5, 2, 15, 20));
      TextLines(p, QRectF(8, 6, 9, 15), 5);
      p.setPen(Pen(ink, 1.2));
      for (int i = 0; i < 4; ++i) p.drawLine(QPointF(3, 5 + i * 4.5), QPointF(7, 5 + i * 4.5));
      return;
    case ToolGlyph::Integral: {
      QPainterPath area;
      area.moveTo(9, 20);
      for (qreal x = 9; x <= 21; x += 0.5) area.lineTo(x, 13 - 4 * std::sin((x - 9) / 4.0));
      area.lineTo(21, 20);
      area.closeSubpath();
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(150, 200, 250));
      p.drawPath(area);
      Letter(p, QRectF(0, 0, 14, 24), QStringLiteral("∫"), ink, true);
      return;
    }
    case ToolGlyph::Help:
      p.setPen(Pen(QColor(20, 60, 140)));
      p.setBrush(QColor(50, 110, 210));
      p.drawEllipse(QRectF(2, 2, 20, 20));
      Letter(p, QRectF(2, 3, 20, 17), QStringLiteral("?"), Qt::white, false);
      return;
    case ToolGlyph::ConstantSliders:
      // Two slider tracks with their knobs, over a wave that follows them.
      p.setPen(Pen(QColor(210, 40, 40), 1.5));
      p.setBrush(Qt::NoBrush);
      {
        QPainterPath wave;
        wave.moveTo(3, 8);
        for (qreal x = 3; x <= 21; x += 0.5) wave.lineTo(x, 8 - 4 * std::sin((x - 3) / 2.5));
        p.drawPath(wave);
      }
      p.setPen(Pen(ink, 1.5));
      p.drawLine(QPointF(3, 15), QPointF(21, 15));
      p.drawLine(QPointF(3, 20), QPointF(21, 20));
      p.setBrush(QColor(50, 110, 210));
      p.drawRect(QRectF(13, 13, 3, 4));
      p.drawRect(QRectF(7, 18, 3, 4));
      return;
    default:
      return;
  }
}

void DrawEditing(QPainter& p, ToolGlyph glyph) {
  switch (glyph) {
    case ToolGlyph::Undo: {
      QPainterPath turn;
      turn.moveTo(18, 19);
      turn.cubicTo(22, 10, 14, 5, 6, 9);
      p.setPen(Pen(QColor(40, 80, 200), 2.5));
      p.setBrush(Qt::NoBrush);
      p.drawPath(turn);
      p.drawLine(QPointF(6, 9), QPointF(10, 4));
      p.drawLine(QPointF(6, 9), QPointF(11, 12));
      return;
    }
    case ToolGlyph::Redo: {
      // The undo arrow seen in a mirror.
      p.translate(grid, 0);
      p.scale(-1, 1);
      DrawEditing(p, ToolGlyph::Undo);
      return;
    }
    case ToolGlyph::Cut:
      p.setPen(Pen(QColor(120, 125, 135), 2));
      p.drawLine(QPointF(8, 15), QPointF(17, 2));
      p.drawLine(QPointF(16, 15), QPointF(7, 2));
      p.setPen(Pen(QColor(200, 40, 40), 2));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(7, 18.5), 3, 3);
      p.drawEllipse(QPointF(17, 18.5), 3, 3);
      return;
    case ToolGlyph::Copy:
      Page(p, QRectF(3, 2, 12, 15));
      TextLines(p, QRectF(5, 5, 7, 10), 3);
      Page(p, QRectF(9, 7, 12, 15));
      TextLines(p, QRectF(11, 10, 7, 10), 3);
      return;
    case ToolGlyph::Paste:
      p.setPen(Pen(ink));
      p.setBrush(QColor(170, 120, 60));
      p.drawRoundedRect(QRectF(3, 3, 15, 19), 2, 2);
      p.setBrush(QColor(190, 195, 205));
      p.drawRect(QRectF(7, 1.5, 7, 4));
      Page(p, QRectF(10, 9, 11, 13));
      TextLines(p, QRectF(12, 12, 6, 9), 3);
      return;
    default:
      return;
  }
}

void DrawSearch(QPainter& p, ToolGlyph glyph) {
  switch (glyph) {
    case ToolGlyph::Find:
      Magnifier(p, QPointF(10, 10), 6);
      return;
    case ToolGlyph::Replace:
      Letter(p, QRectF(0, 0, 11, 14), QStringLiteral("a"), QColor(40, 80, 200), false);
      Letter(p, QRectF(12, 9, 12, 15), QStringLiteral("b"), QColor(200, 40, 40), false);
      Arrow(p, QPointF(5, 15), QPointF(12, 20), ink, 1.5);
      return;
    case ToolGlyph::Font:
      Letter(p, QRectF(1, 0, 22, 21), QStringLiteral("A"), ink, true);
      p.setPen(Pen(QColor(200, 40, 40), 2));
      p.drawLine(QPointF(4, 22), QPointF(20, 22));
      return;
    case ToolGlyph::BackgroundColour: {
      QLinearGradient rainbow(QPointF(3, 3), QPointF(21, 21));
      rainbow.setColorAt(0, QColor(230, 50, 50));
      rainbow.setColorAt(0.5, QColor(250, 220, 60));
      rainbow.setColorAt(1, QColor(50, 120, 230));
      p.setPen(Pen(ink));
      p.setBrush(rainbow);
      p.drawRect(QRectF(3, 3, 18, 18));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(8, 8, 8, 8));
      return;
    }
    case ToolGlyph::Close:
      Cross(p, QPointF(12, 12), 14, QColor(200, 40, 40));
      return;
    default:
      return;
  }
}

class DrawnIconEngine : public QIconEngine {
 public:
  explicit DrawnIconEngine(ToolGlyph glyph) : glyph_(glyph) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / grid, rect.height() / grid);
    if (mode == QIcon::Disabled) painter->setOpacity(0.35);
    DrawFiles(*painter, glyph_);
    DrawSpaces(*painter, glyph_);
    DrawPictures(*painter, glyph_);
    DrawTools(*painter, glyph_);
    DrawApps(*painter, glyph_);
    DrawEditing(*painter, glyph_);
    DrawSearch(*painter, glyph_);
    DrawScanTools(*painter, glyph_);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap result(size);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return result;
  }

  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    QPixmap result = pixmap(size * scale, mode, state);
    result.setDevicePixelRatio(scale);
    return result;
  }

  QIconEngine* clone() const override { return new DrawnIconEngine(glyph_); }

 private:
  ToolGlyph glyph_;
};

}  // namespace

QIcon DrawnIcon(ToolGlyph glyph) {
  return QIcon(new DrawnIconEngine(glyph));
}

}  // namespace lw
