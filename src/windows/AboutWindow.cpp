#include "AboutWindow.h"

#include "Program.h"

namespace lw {

AboutWindow::AboutWindow(QWidget* parent, Program& program)
    : SecondaryWindow(parent, QStringLiteral("Про программу :")), program_(program) {
  resize(300, 200);
}

}  // namespace lw
