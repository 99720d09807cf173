// An event file one thread writes to so that another thread's event loop, which
// watches its descriptor, wakes up. The object owns the descriptor and closes it; it
// moves but does not copy, so exactly one owner closes it.
#pragma once

namespace lw {

class WakeUpFile {
 public:
  // Opens a new event file; Valid() is false when the system refuses one.
  WakeUpFile();
  ~WakeUpFile();
  WakeUpFile(WakeUpFile&& other) noexcept;
  WakeUpFile& operator=(WakeUpFile&& other) noexcept;
  WakeUpFile(const WakeUpFile&) = delete;
  WakeUpFile& operator=(const WakeUpFile&) = delete;

  bool Valid() const { return fd_ >= 0; }
  // What an event loop watches for reading; negative when not valid.
  int Descriptor() const { return fd_; }
  // Makes the file readable; safe from any thread, does nothing when not valid.
  void Signal() const;
  // Takes every signal so far, so the file is no longer readable; never blocks.
  void Drain() const;

 private:
  int fd_ = -1;
};

}  // namespace lw
