// The build-progress window: one bar and a caption naming the graph being drawn.
// It is shown only while a build runs.
#pragma once

#include <QDialog>

#include "Feedback.h"

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

 private:
  QProgressBar* bar_;
};

}  // namespace lw
