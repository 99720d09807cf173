// The about window ("Про программу :"): the program's name and version, a small
// picture and a contact address that opens the user's mail program. Modal.
#pragma once

#include <QLabel>
#include <functional>

#include "app/ProgramVersion.h"
#include "windows/WindowKit.h"

class QPushButton;

namespace lw {

inline constexpr const char* AboutVersionText = ProgramVersionText;
inline constexpr const char* ContactAddress = "linewright@example.org";

// The contact label: red while the pointer is over it, blue once the pointer moves
// over the rest of the window; a click opens "mailto:" + its text.
class ContactLabel : public QLabel {
 public:
  ContactLabel(const QString& text, QWidget* parent);
  void SetColour(const QColor& colour);
  QColor Colour() const { return colour_; }
  std::function<void(const QString& url)> OnOpen;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QColor colour_;
};

class AboutWindow : public SecondaryWindow {
 public:
  explicit AboutWindow(QWidget* parent);
  ContactLabel* Contact() const { return contact_; }
  QLabel* Version() const { return version_; }

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QLabel* version_;
  ContactLabel* contact_;
};

// The picture of the about window: a curve with its axes.
QPixmap AboutPicture(int size);

}  // namespace lw
