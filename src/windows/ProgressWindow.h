// The build-progress window: one bar and a caption naming the graph being drawn.
// It is shown only while long work runs (a build, a 3D file read or written);
// Escape or its close box stops the work.
#pragma once

#include <QDialog>
#include <functional>

#include "document/Feedback.h"

class QProgressBar;

namespace lw {

class ProgressWindow : public QDialog, public ProgressSink {
 public:
  explicit ProgressWindow(QWidget* parent);

  void Show() override;
  void Close() override;
  void SetCaption(const std::string& caption) override;
  void SetMaximum(int maximum) override;
  int Maximum() const override;
  void SetPosition(int position) override;
  int Position() const override;

  QProgressBar* Bar() const { return bar_; }
  // What Escape and the close box do: stop the work the window shows.
  void SetStopHandler(std::function<void()> stop) { stop_ = std::move(stop); }

 protected:
  // Escape (the dialog's reject) and the close box stop the work; the window goes
  // when the work has ended.
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> stop_;
  QProgressBar* bar_;
};

}  // namespace lw
