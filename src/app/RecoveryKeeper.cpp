#include "app/RecoveryKeeper.h"

#include "app/Program.h"

namespace lw {

RecoveryKeeper::RecoveryKeeper(Program& program, const std::string& folder)
    : program_(program), slot_(folder), clean_(Now()) {
  timer_.setSingleShot(true);
  timer_.setInterval(DefaultDelay);
  timer_.callOnTimeout([this] { WriteNow(); });
  program_.Observers().Add(this);
}

RecoveryKeeper::~RecoveryKeeper() {
  program_.Observers().Remove(this);
  slot_.Remove();
}

DocumentState RecoveryKeeper::Now() const {
  return DocumentState{program_.Doc(), program_.Pal()};
}

// The first change after a write starts the timer and later ones leave it running,
// so a stream of changes (a played slider) is still written every few seconds.
void RecoveryKeeper::Changed() {
  if (!timer_.isActive()) timer_.start();
}

void RecoveryKeeper::MarkClean() {
  timer_.stop();
  clean_ = Now();
  written_.reset();
  slot_.Remove();
}

void RecoveryKeeper::MarkUnsaved() {
  clean_.reset();
  written_.reset();
  WriteNow();
}

void RecoveryKeeper::WriteNow() {
  timer_.stop();
  DocumentState now = Now();
  if (clean_ && now == *clean_) {
    // Undone back to the document on disk.
    if (written_) slot_.Remove();
    written_.reset();
    return;
  }
  const std::string& name = program_.CurrentFileName();
  if (written_ && now == *written_ && name == writtenName_) return;
  const auto bytes = EncodeRecovery(name, now);
  // A text the settings file cannot hold keeps the previous recovery file.
  if (!bytes || !slot_.Write(*bytes)) return;
  written_ = std::move(now);
  writtenName_ = name;
}

void RecoveryKeeper::WorkChanged() {
  if (program_.Busy() && timer_.isActive()) WriteNow();
}

}  // namespace lw
