#include "app/WorkFeedback.h"

namespace lw {

void WorkFeedback::Reset(int maximum, int position) {
  const std::lock_guard lock(mutex_);
  status_.reset();
  caption_.reset();
  timerStarts_ = 0;
  maximum_.store(maximum);
  position_.store(position);
}

void WorkFeedback::MirrorTo(StatusSink& status, ProgressSink& progress) {
  std::optional<std::string> text, caption;
  int timerStarts = 0;
  {
    const std::lock_guard lock(mutex_);
    text.swap(status_);
    caption.swap(caption_);
    std::swap(timerStarts, timerStarts_);
  }
  if (caption) progress.SetCaption(*caption);
  if (progress.Maximum() != maximum_.load()) progress.SetMaximum(maximum_.load());
  progress.SetPosition(position_.load());
  if (text) status.SetStatus(*text);
  if (timerStarts > 0) status.StartStatusTimer();
}

void WorkFeedback::SetStatus(const std::string& text) {
  const std::lock_guard lock(mutex_);
  status_ = text;
}

void WorkFeedback::StartStatusTimer() {
  const std::lock_guard lock(mutex_);
  ++timerStarts_;
}

void WorkFeedback::SetCaption(const std::string& caption) {
  const std::lock_guard lock(mutex_);
  caption_ = caption;
}

}  // namespace lw
