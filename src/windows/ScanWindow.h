// The 2D scan values window. Its seven options travel with the options file.
#pragma once

#include <array>

#include "WindowKit.h"

class QCheckBox;
class QGroupBox;

namespace lw {

class Program;

class ScanWindow : public SecondaryWindow {
 public:
  ScanWindow(QWidget* parent, Program& program);
  // Shows the options as the program holds them (after the options file was read).
  void SyncOptions();
  QCheckBox* Option(int index) const { return options_[static_cast<std::size_t>(index)]; }

 private:
  Program& program_;
  QGroupBox* optionsGroup_;
  std::array<QCheckBox*, 7> options_{};
};

}  // namespace lw
