// The tool panel on the right of the main window: 29 buttons in two columns with
// three separators, built from the command table.
#pragma once

#include <QFrame>
#include <functional>
#include <vector>

#include "windows/CommandTable.h"

class QToolButton;

namespace lw {

class ToolPanel : public QFrame {
 public:
  ToolPanel(QWidget* parent, std::function<void(Command)> run);
  const std::vector<QToolButton*>& Buttons() const { return buttons_; }

 private:
  std::vector<QToolButton*> buttons_;
};

}  // namespace lw
