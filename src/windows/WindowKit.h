// Small pieces every window uses: hints that the "&Давати підказки" switch turns on
// and off, the secondary-window frame, and colour swatches.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QPoint>
#include <QString>
#include <optional>

#include "document/GraphLists.h"

class QLabel;
class QWidget;

namespace lw {

// Gives control a hint that follows the hint switch of the program.
void SetHint(QWidget* control, const QString& hint);
// Shows or hides the hints of every control of window given one by SetHint.
void ApplyHints(QWidget* window, bool shown);
// The controls of window that carry a switchable hint, in creation order.
QList<QWidget*> HintedControls(QWidget* window);

// A secondary window: created once at start-up, hidden, and only hidden again when
// closed, so it keeps its state for the whole run, its place on the screen included.
class SecondaryWindow : public QDialog {
 public:
  SecondaryWindow(QWidget* parent, const QString& caption);
  void setVisible(bool visible) override;

 private:
  // Where the window's inside was when it was last hidden.
  std::optional<QPoint> place_;
};

// Fills window with one scroll area and returns the widget that carries the
// window's controls.
QWidget* MakeScrollingContents(QWidget* window);
// Gives window the size its contents are designed for where the screen has room;
// on a smaller screen the window takes the room there is and the contents scroll.
void FitOnScreen(QWidget* window, QWidget* contents);

// The width a window needs for the window manager's title bar to show caption
// whole when the program's font is font: the caption in bold (as title bars mostly
// draw it) and room for the icon and three buttons.
int CaptionWidth(const QString& caption, const QFont& font);

// Installed on the application: every window, as it is shown or its caption
// changes, becomes at least as wide as its caption needs (up to the screen's width).
class CaptionFit : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// A filled rectangle showing one colour (rounded when asked).
class Swatch : public QFrame {
 public:
  explicit Swatch(QWidget* parent, bool rounded = false);
  void SetColour(Colour colour);
  Colour CurrentColour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Colour colour_ = 0;
  bool rounded_;
};

// Makes text bold on a label.
void MakeBold(QLabel* label);

}  // namespace lw
