// Keeps the newest state of an unsaved document in this program's recovery file: a
// few seconds after a change (at once before long work starts, which is when a
// driver or a runaway formula may take the program down) the document is written
// when it differs from the one on disk; a save, an opened document or the end of
// the program removes the file.
#pragma once

#include <QTimer>
#include <optional>
#include <string>

#include "app/DocumentHistory.h"
#include "app/ProgramObserver.h"
#include "app/RecoveryFile.h"

namespace lw {

class Program;

class RecoveryKeeper : private ProgramObserver {
 public:
  static constexpr int DefaultDelay = 3000;  // milliseconds after a change

  RecoveryKeeper(Program& program, const std::string& folder);
  // A program that ends normally leaves no recovery file.
  ~RecoveryKeeper() override;
  RecoveryKeeper(const RecoveryKeeper&) = delete;
  RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

  // The document as it now stands is on disk (saved, opened): nothing to keep.
  void MarkClean();
  // The document as it stands is on disk nowhere (restored after a crash): kept at once.
  void MarkUnsaved();
  // Writes (or removes) now what the timer would.
  void WriteNow();
  bool Waiting() const { return timer_.isActive(); }
  void SetDelay(int milliseconds) { timer_.setInterval(milliseconds); }
  const std::string& Path() const { return slot_.Path(); }

 private:
  DocumentState Now() const;
  void Changed();

  void DocumentChanged() override { MarkClean(); }
  void ParametersChanged() override { Changed(); }
  void AppearanceChanged() override { Changed(); }
  void GraphsChanged() override { Changed(); }
  void PaletteChanged() override { Changed(); }
  void WorkChanged() override;

  Program& program_;
  RecoverySlot slot_;
  QTimer timer_;
  std::optional<DocumentState> clean_;    // as on disk; none when not on disk at all
  std::optional<DocumentState> written_;  // as in the recovery file; none when no file
  std::string writtenName_;
};

}  // namespace lw
