#include "IntegralWindow.h"

#include "Program.h"

namespace lw {

IntegralWindow::IntegralWindow(QWidget* parent, Program& program)
    : SecondaryWindow(parent, QStringLiteral("Інтеграл")), program_(program) {
  resize(400, 300);
}

}  // namespace lw
