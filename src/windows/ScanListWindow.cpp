#include "ScanListWindow.h"

#include "Program.h"

namespace lw {

ScanListWindow::ScanListWindow(QWidget* parent, Program& program)
    : SecondaryWindow(parent, QStringLiteral("Список просканованих точок :")), program_(program) {
  resize(284, 190);
}

}  // namespace lw
