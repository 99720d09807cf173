// Makes every shortcut of the program answer to its key's place on the keyboard
// when the keyboard layout gives that key a non-Latin character (see KeyPositions).
// Installed on the application, it sees a key press no shortcut took, and gives it
// to whoever would have taken the US key: the focused control when it wants that
// key itself (Ctrl+C in a text field), else the action with that shortcut.
#pragma once

#include <QObject>

class QAction;
class QKeyCombination;

namespace lw {

class LayoutShortcuts : public QObject {
 public:
  // x11Keycodes: the key events carry X11 key codes (the program runs on X11 or
  // Xwayland); elsewhere nothing is done.
  explicit LayoutShortcuts(bool x11Keycodes);

  bool eventFilter(QObject* receiver, QEvent* event) override;

 private:
  bool x11Keycodes_;
};

// The enabled action of the program's windows whose shortcut is keys and that can be
// used from the active window; none when there is no such action.
QAction* ShortcutAction(QKeyCombination keys);

}  // namespace lw
