// The recovery file: the newest state of a document not yet saved, kept on disk so
// that a program that is killed (a crash, a power cut) loses nothing. Each running
// program has a file of its own, named by its process and its start, beside a lock
// file it holds while it runs; a file whose lock nobody holds was left by a program
// that no longer runs, and the next start offers it back.
#pragma once

#include <QLockFile>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/DocumentHistory.h"

namespace lw {

inline constexpr std::string_view RecoveryMagic = "LWRECOVERY 1";
inline constexpr std::string_view RecoveryExtension = ".lwr";
inline constexpr std::string_view RestoreQuestionText = "Відновити незбережений документ?";

// What a recovery file holds: the document's file name (empty for an unnamed one),
// the document and the palette.
struct RecoveredDocument {
  std::string Name;
  DocumentState State;
};

// The magic line, the name's length and the name, the 768 palette bytes, then the
// settings file exactly as a save writes it. Empty when the settings file cannot
// hold one of the document's texts.
std::optional<std::string> EncodeRecovery(const std::string& name, const DocumentState& state);
// Empty for anything that is not a whole recovery file.
std::optional<RecoveredDocument> DecodeRecovery(std::string_view bytes);

// This program's own recovery file and the lock that says the program runs.
class RecoverySlot {
 public:
  // Creates folder when it is missing. A slot whose lock cannot be taken writes
  // nothing (Usable() is false).
  explicit RecoverySlot(const std::string& folder);
  RecoverySlot(const RecoverySlot&) = delete;
  RecoverySlot& operator=(const RecoverySlot&) = delete;

  bool Usable() const { return lock_ != nullptr; }
  // Replaces the file as a whole (new file, flush, rename); false on failure, when
  // the previous file stays.
  bool Write(std::string_view bytes);
  void Remove();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::unique_ptr<QLockFile> lock_;
};

// A recovery file left by a program that no longer runs. It is locked for as long
// as this object lives, so a second program starting now does not offer it as well.
class LeftRecovery {
 public:
  // The files in folder whose program has ended, newest first. Lock files that
  // programs no longer running left without a recovery file go.
  static std::vector<LeftRecovery> Find(const std::string& folder);

  const std::string& Path() const { return path_; }
  std::optional<RecoveredDocument> Read() const;
  // Removes the file (offered and answered); its lock goes with this object.
  void Remove();

 private:
  LeftRecovery(std::string path, std::unique_ptr<QLockFile> lock)
      : path_(std::move(path)), lock_(std::move(lock)) {}
  std::string path_;
  std::unique_ptr<QLockFile> lock_;
};

// The lock file that goes with a recovery file.
std::string RecoveryLockPath(const std::string& recoveryPath);

}  // namespace lw
