// The values of the 3D graphs at a scanned point.
#pragma once

#include "WindowKit.h"

namespace lw {

class Program;

class Scan3dWindow : public SecondaryWindow {
 public:
  Scan3dWindow(QWidget* parent, Program& program);

 private:
  Program& program_;
};

}  // namespace lw
