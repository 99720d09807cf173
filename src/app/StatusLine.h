// The status bar's text and the timer that puts "Готова" back after a message: what
// every part of the program reports to.
#pragma once

#include <QTimer>
#include <string>

#include "app/ProgramObserver.h"
#include "document/Feedback.h"

namespace lw {

class StatusLine : public StatusSink {
 public:
  explicit StatusLine(ProgramObservers& observers);
  StatusLine(const StatusLine&) = delete;
  StatusLine& operator=(const StatusLine&) = delete;

  void SetStatus(const std::string& text) override;
  void StartStatusTimer() override;
  const std::string& Text() const { return text_; }
  bool TimerActive() const { return timer_.isActive(); }
  int TimerRemaining() const { return timer_.remainingTime(); }
  void SetTimerInterval(int milliseconds) { timer_.setInterval(milliseconds); }

 private:
  ProgramObservers& observers_;
  std::string text_;
  QTimer timer_;
};

}  // namespace lw
