// The definite-integral window.
#pragma once

#include "WindowKit.h"

namespace lw {

class Program;

class IntegralWindow : public SecondaryWindow {
 public:
  IntegralWindow(QWidget* parent, Program& program);

 private:
  Program& program_;
};

}  // namespace lw
