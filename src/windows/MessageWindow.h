// The message window; its caption is set per message.
#pragma once

#include "WindowKit.h"

namespace lw {

class Program;

class MessageWindow : public SecondaryWindow {
 public:
  MessageWindow(QWidget* parent, Program& program);

 private:
  Program& program_;
};

}  // namespace lw
