// The options file "Linewright.dat" beside the program: window placement, option
// switches, the last document and the notepad's look and file, carried from one
// run to the next.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "document/Appearance.h"

namespace lw {

inline constexpr std::string_view OptionsFileName = "Linewright.dat";
inline constexpr Colour DefaultNotepadColour = 11849159;  // 0xB4CDC7

struct Options {
  // Main window placement; applied only when NormalState was saved on.
  int Left = 0, Width = 0, Top = 0, Height = 0;
  bool NormalState = false;  // neither maximised nor minimised
  std::array<bool, 7> ScanOptions{true, true, true, true, true, true, true};
  bool AskToSave = true;
  bool ShowToolPanel = false;
  bool ShowHints = true;
  bool ShowStatusBar = false;
  bool CalculatorClearInput = true;  // the calculator's "Очищати ввід"
  std::string DocumentPath;          // the document to reopen; may be empty
  Colour NotepadColour = DefaultNotepadColour;
  LabelFont NotepadFont;
  std::string NotepadFile;  // may be empty
  bool operator==(const Options&) const = default;
};

// Replaces options only when the whole of bytes reads correctly.
bool DecodeOptions(std::string_view bytes, Options& options);

// A path or face name that the file cannot hold (see IsStorableText) is written
// empty, so one odd path does not cost all the other options.
std::string EncodeOptions(const Options& options);

// The options in the file, or the defaults when it is missing or damaged.
Options ReadOptionsFile(const std::string& path);

// Failure is silent: the options are simply not kept.
void WriteOptionsFile(const std::string& path, const Options& options);

// The document to open at start-up: the last command-line argument when there is
// at least one, else the one the options file names.
std::string StartupDocumentPath(const Options& options, std::span<const std::string> arguments);

}  // namespace lw
