// The notepad window. Its colour, font and file travel with the options file.
#pragma once

#include "WindowKit.h"

class QPlainTextEdit;

namespace lw {

class Program;

class NotepadWindow : public SecondaryWindow {
 public:
  NotepadWindow(QWidget* parent, Program& program);
  // Applies the look read from the options file and loads its file, if any.
  void ApplyLook();
  void ShowForTyping();
  QPlainTextEdit* Text() const { return text_; }

 private:
  Program& program_;
  QPlainTextEdit* text_;
};

}  // namespace lw
