// The list of scanned points of the 2D scan.
#pragma once

#include "WindowKit.h"

namespace lw {

class Program;

class ScanListWindow : public SecondaryWindow {
 public:
  ScanListWindow(QWidget* parent, Program& program);

 private:
  Program& program_;
};

}  // namespace lw
