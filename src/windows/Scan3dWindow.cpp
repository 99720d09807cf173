#include "Scan3dWindow.h"

#include "Program.h"

namespace lw {

Scan3dWindow::Scan3dWindow(QWidget* parent, Program& program)
    : SecondaryWindow(parent, QStringLiteral("Значення при відповідних аргументах :")),
      program_(program) {
  resize(320, 286);
}

}  // namespace lw
