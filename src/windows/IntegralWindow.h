// The definite-integral window: area, volume of revolution or integral sum of a
// formula over an interval, with a results log. During a calculation the window is
// 20 pixels taller and shows a progress bar; the calculation runs beside the
// interface, and "Зачинити", Escape or the close box stop it.
#pragma once

#include <QTimer>
#include <memory>

#include "analysis/Integral.h"
#include "windows/WindowKit.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace lw {

class ProgramAnalysis;
class IntegralFeedback;

class IntegralWindow : public SecondaryWindow {
 public:
  IntegralWindow(QWidget* parent, ProgramAnalysis& analysis);

  // The action of "&Порахувати": starts the calculation (refused while other long
  // work runs); its lines arrive in the log as it goes.
  void CalculateIntegral();
  // "Зачинити", Escape and the close box: stop a running calculation, hide the window.
  void CloseWindow();
  bool Calculating() const { return calculating_; }

  QPlainTextEdit* Log() const { return log_; }
  QLineEdit* Expression() const { return expression_; }
  QLineEdit* Left() const { return left_; }
  QLineEdit* Right() const { return right_; }
  QLineEdit* Step() const { return step_; }
  QLineEdit* Variable() const { return variable_; }
  QComboBox* Kind() const { return kind_; }
  QProgressBar* Progress() const { return progress_; }
  QPushButton* CalculateButton() const { return calculate_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The lines and progress the calculation has written since the last tick.
  void TakeFeedback();
  void Finished();

  ProgramAnalysis& analysis_;
  QPlainTextEdit* log_;
  QLineEdit* expression_;
  QLineEdit* left_;
  QLineEdit* right_;
  QLineEdit* step_;
  QLineEdit* variable_;
  QComboBox* kind_;
  QPushButton* calculate_;
  QProgressBar* progress_;
  bool calculating_ = false;
  std::shared_ptr<IntegralFeedback> buffer_;
  QTimer ticker_;
};

}  // namespace lw
