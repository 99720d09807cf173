#include "MessageWindow.h"

#include "Program.h"

namespace lw {

MessageWindow::MessageWindow(QWidget* parent, Program& program)
    : SecondaryWindow(parent, QStringLiteral("")), program_(program) {
  resize(300, 120);
}

}  // namespace lw
