// The about window; shown modally from the help menu.
#pragma once

#include "WindowKit.h"

namespace lw {

class Program;

class AboutWindow : public SecondaryWindow {
 public:
  AboutWindow(QWidget* parent, Program& program);

 private:
  Program& program_;
};

}  // namespace lw
