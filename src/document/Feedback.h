// The two small channels through which the core reports to whoever drives it:
// the status bar text and the build-progress window. The desktop program binds
// them to widgets; the command-line front end and the tests bind them to plain
// recorders, so every command runs without a display.
#pragma once

#include <atomic>
#include <string>

namespace lw {

class StatusSink {
 public:
  virtual ~StatusSink() = default;
  // Replaces the status text (UTF-8).
  virtual void SetStatus(const std::string& text) = 0;
  // Starts the one-shot timer that puts "Готова" back after 10 s; starting it while
  // it runs does not restart it.
  virtual void StartStatusTimer() = 0;
};

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void Show() = 0;
  virtual void Close() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetMaximum(int maximum) = 0;
  virtual int Maximum() const = 0;
  virtual void SetPosition(int position) = 0;
  virtual int Position() const = 0;
  // Moves the bar on by steps. The parallel loops call it from their worker threads,
  // so a sink handed to them must make it safe there.
  virtual void Advance(int steps) { SetPosition(Position() + steps); }
};

// Remembers the last status text; for the command-line front end and tests.
class RecordingStatus : public StatusSink {
 public:
  void SetStatus(const std::string& text) override { text_ = text; }
  void StartStatusTimer() override { ++timerStarts_; }
  const std::string& Text() const { return text_; }
  int TimerStarts() const { return timerStarts_; }

 private:
  std::string text_;
  int timerStarts_ = 0;
};

// Keeps the numbers a progress window would show, and nothing else.
class SilentProgress : public ProgressSink {
 public:
  void Show() override { visible_ = true; }
  void Close() override { visible_ = false; }
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  void SetMaximum(int maximum) override { maximum_ = maximum; }
  int Maximum() const override { return maximum_; }
  void SetPosition(int position) override { position_.store(position); }
  int Position() const override { return position_.load(); }
  void Advance(int steps) override { position_.fetch_add(steps); }
  bool Visible() const { return visible_; }
  const std::string& Caption() const { return caption_; }

 private:
  bool visible_ = false;
  std::string caption_;
  int maximum_ = 100;
  std::atomic<int> position_{0};
};

}  // namespace lw
