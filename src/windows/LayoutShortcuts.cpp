#include "windows/LayoutShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "windows/KeyPositions.h"

namespace lw {

namespace {

bool UsableFromActiveWindow(const QAction* action) {
  if (action->shortcutContext() == Qt::ApplicationShortcut) return true;
  for (QObject* object : action->associatedObjects()) {
    const auto* widget = qobject_cast<QWidget*>(object);
    if (widget != nullptr && widget->window()->isActiveWindow()) return true;
  }
  return false;
}

}  // namespace

QAction* ShortcutAction(QKeyCombination keys) {
  const QKeySequence wanted(keys);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    for (QAction* action : window->findChildren<QAction*>()) {
      if (action->isEnabled() && action->shortcuts().contains(wanted) &&
          UsableFromActiveWindow(action)) {
        return action;
      }
    }
  }
  return nullptr;
}

LayoutShortcuts::LayoutShortcuts(bool x11Keycodes) : x11Keycodes_(x11Keycodes) {}

bool LayoutShortcuts::eventFilter(QObject* receiver, QEvent* event) {
  if (!x11Keycodes_ || event->type() != QEvent::KeyPress) return false;
  auto* press = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers modifiers = press->modifiers();
  // Typing, AltGr included, is left alone; only Ctrl and Alt make shortcuts.
  if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier))) return false;
  if (!IsNonLatinCharacterKey(press->key())) return false;
  const std::optional<Qt::Key> us = UsKeyAtX11Keycode(press->nativeScanCode());
  if (!us) return false;
  // The same order as for a Latin key: the focused control first, then the actions.
  QKeyEvent override(QEvent::ShortcutOverride, *us, modifiers, press->nativeScanCode(),
                     press->nativeVirtualKey(), press->nativeModifiers());
  override.ignore();
  QCoreApplication::sendEvent(receiver, &override);
  if (!override.isAccepted()) {
    if (QAction* action = ShortcutAction(QKeyCombination(modifiers, *us))) {
      action->trigger();
      return true;
    }
    // Alt with a letter is left to the menus' access keys, which are Ukrainian.
    if (!(modifiers & Qt::ControlModifier)) return false;
  }
  QKeyEvent usPress(QEvent::KeyPress, *us, modifiers, press->nativeScanCode(),
                    press->nativeVirtualKey(), press->nativeModifiers(), QString(),
                    press->isAutoRepeat(), press->count());
  QCoreApplication::sendEvent(receiver, &usPress);
  return true;
}

}  // namespace lw
