// Every file the programs write goes through AtomicFile: the bytes go to a new file
// beside the target, every write is checked, the new file is flushed to the disk and
// only then renamed over the target. A failure at any step removes the new file and
// leaves the target exactly as it was: a full disk, a read-only folder or a pulled
// USB stick never cost the previous file.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace lw {

// The file-system calls a save makes. Each returns 0 or the errno value of its
// failure. The real one calls the system; tests put in one that fails on cue.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Creates a file that must not exist yet, for writing, with the given permissions.
  virtual int CreateNew(const std::string& path, unsigned mode, int& fd) = 0;
  // Writes at most size bytes; `written` says how many went.
  virtual int Write(int fd, const char* data, std::size_t size, std::size_t& written) = 0;
  virtual int Sync(int fd) = 0;
  virtual int Close(int fd) = 0;
  virtual int Rename(const std::string& from, const std::string& to) = 0;
  // A second name for an existing file (for taking a replaced file back).
  virtual int Link(const std::string& existing, const std::string& newName) = 0;
  virtual int Remove(const std::string& path) = 0;
  virtual int SyncFolder(const std::string& folder) = 0;
  // Sends the written bytes [offset, offset + size) towards the disk without waiting,
  // after waiting for the window before (`waitFrom`, `waitSize`). Only a hint: the
  // flush at the end checks the outcome, so failures are not reported.
  virtual void WriteBehind(int fd, long long waitFrom, long long waitSize, long long offset,
                           long long size) {
    static_cast<void>(fd), static_cast<void>(waitFrom), static_cast<void>(waitSize);
    static_cast<void>(offset), static_cast<void>(size);
  }
};

// The system's own calls. It holds no state, so one object serves every thread.
FileSystem& SystemFileSystem();

class AtomicFile {
 public:
  // Creates the new file beside `path` (a symbolic link is followed, so the file it
  // names is replaced). A target that is a folder, or a folder that cannot be written
  // into, fails here already: Failed() says so and every later call does nothing.
  explicit AtomicFile(std::string path, FileSystem& files = SystemFileSystem());
  // A file that was not committed is removed; the target stays as it was.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Appends bytes; they are written in large pieces. False once anything failed.
  bool Write(std::string_view bytes);
  // Finish writes what is still held, flushes the file to the disk and closes it;
  // Publish then renames it over the target and flushes the folder. Commit is both.
  bool Finish();
  bool Publish();
  bool Commit() { return Finish() && Publish(); }
  // Removes the new file (a stop request, or a later failure elsewhere).
  void Discard();

  bool Failed() const { return error_ != 0; }
  // The errno value of the first failure, 0 while none.
  int Error() const { return error_; }
  // The file the bytes end up in, after following a symbolic link.
  const std::string& Target() const { return target_; }

 private:
  friend bool CommitTogether(std::span<AtomicFile* const> files);
  void Open();
  bool Fail(int error);
  bool Drain(const char* data, std::size_t size);
  void CloseQuietly();

  FileSystem& files_;
  std::string target_;
  std::string temporary_;
  std::string held_;
  // Bytes handed to the system; the end and start of the last window sent to the disk.
  long long written_ = 0;
  long long sentToDisk_ = 0;
  long long windowStart_ = 0;
  int fd_ = -1;
  int error_ = 0;
  bool targetExisted_ = false;
  bool finished_ = false;
  bool published_ = false;
};

// A save that is several files (a mesh and its material library): every file is
// finished before any replaces its target, in the order given (the file that names
// the others last). If one cannot be published, the targets already replaced get
// their previous content back where the file system keeps a second name for it,
// and the new files are removed. False when any file failed; the failed file's
// Error() says why.
bool CommitTogether(std::span<AtomicFile* const> files);

// The whole of `bytes` as the file at `path`; `error` (when given) receives the
// errno value of a failure.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, int* error = nullptr);

// Why a write failed, in a few words for people: "на диску немає місця" for ENOSPC.
std::string WriteFailureReason(int error);

}  // namespace lw
