#include "app/StatusLine.h"

#include "app/StatusTexts.h"

namespace lw {

namespace {
constexpr int statusTimerMilliseconds = 10000;
}

StatusLine::StatusLine(ProgramObservers& observers) : observers_(observers), text_(ReadyText) {
  timer_.setSingleShot(true);
  timer_.setInterval(statusTimerMilliseconds);
  timer_.callOnTimeout([this] { SetStatus(std::string(ReadyText)); });
}

void StatusLine::SetStatus(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  observers_.Notify(&ProgramObserver::StatusChanged);
}

void StatusLine::StartStatusTimer() {
  // A running timer is not restarted: "Готова" comes 10 s after the first message.
  if (!timer_.isActive()) timer_.start();
}

}  // namespace lw
