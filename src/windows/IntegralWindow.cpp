#include "windows/IntegralWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "app/ProgramAnalysis.h"
#include "windows/CalculatorWindow.h"
#include "windows/QtConvert.h"

namespace lw {

namespace {

constexpr int clientWidth = 401;
constexpr int clientHeight = 225;
constexpr int progressHeight = 20;

QLineEdit* AddField(QWidget* parent, QGridLayout* grid, int row, const QString& label,
                    const QString& text) {
  grid->addWidget(new QLabel(label, parent), row, 0);
  auto* field = new QLineEdit(text, parent);
  field->setFixedWidth(100);  // the log takes the rest of the width
  SetHint(field, QStringLiteral("Вираз значення якого буде знаходитися"));
  grid->addWidget(field, row, 1);
  return field;
}

}  // namespace

IntegralWindow::IntegralWindow(QWidget* parent, ProgramAnalysis& analysis)
    : SecondaryWindow(parent, QStringLiteral("Інтеграл")), analysis_(analysis) {
  setFixedSize(clientWidth, clientHeight);
  auto* area = new QWidget(this);
  area->setGeometry(0, 0, clientWidth, clientHeight);
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(4, 2, 4, 4);
  grid->setVerticalSpacing(2);
  grid->addWidget(new QLabel(QStringLiteral("Результати :"), area), 0, 0, 1, 2);
  log_ = new QPlainTextEdit(area);
  log_->setReadOnly(true);
  log_->setLineWrapMode(QPlainTextEdit::NoWrap);
  log_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  SetHint(log_, QStringLiteral("Результати усіх обрахунків"));
  grid->addWidget(log_, 1, 0, 7, 1);
  grid->setColumnStretch(0, 1);
  auto* fields = new QGridLayout;
  fields->setVerticalSpacing(2);
  const IntegralRequest defaults;
  expression_ = AddField(area, fields, 0, QStringLiteral("Вираз :"), QString());
  left_ = AddField(area, fields, 1, QStringLiteral("Ліва межа :"), Q(defaults.left));
  right_ = AddField(area, fields, 2, QStringLiteral("Права межа :"), Q(defaults.right));
  step_ = AddField(area, fields, 3, QStringLiteral("Крок :"), Q(defaults.step));
  variable_ = AddField(area, fields, 4, QStringLiteral("Змінна :"), Q(defaults.variable));
  fields->addWidget(new QLabel(QStringLiteral("Тип виміру :"), area), 5, 0);
  kind_ = new QComboBox(area);
  kind_->addItems({QStringLiteral("Площа"), QStringLiteral("Об'єм обертання"),
                   QStringLiteral("Інтегральна сума")});
  kind_->setCurrentIndex(0);
  fields->addWidget(kind_, 5, 1);
  calculate_ = new QPushButton(QStringLiteral("&Порахувати"), area);
  SetHint(calculate_, QStringLiteral("Обрахувати"));
  auto* close = new QPushButton(QStringLiteral("&Зачинити"), area);
  SetHint(close, QStringLiteral("Зачинити вікно"));
  fields->addWidget(calculate_, 6, 0);
  fields->addWidget(close, 6, 1);
  grid->addLayout(fields, 1, 1, 7, 1);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 100);
  progress_->setGeometry(0, clientHeight, clientWidth, progressHeight);
  connect(calculate_, &QPushButton::clicked, this, [this] { CalculateIntegral(); });
  connect(close, &QPushButton::clicked, this, [this] { CloseWindow(); });
  ticker_.setInterval(40);
  ticker_.callOnTimeout(this, [this] { TakeFeedback(); });
}

void IntegralWindow::CalculateIntegral() {
  if (calculating_) return;
  IntegralRequest request;
  request.expression = S(expression_->text());
  request.left = S(left_->text());
  request.right = S(right_->text());
  request.step = S(step_->text());
  request.variable = S(variable_->text());
  request.kind = static_cast<IntegralKind>(std::max(kind_->currentIndex(), 0));
  buffer_ = analysis_.StartIntegral(request, [this](bool) { Finished(); });
  if (!buffer_) return;
  ticker_.start();
  calculating_ = true;
  calculate_->setEnabled(false);
  setFixedSize(clientWidth, clientHeight + progressHeight);
  log_->setFocus();
}

void IntegralWindow::TakeFeedback() {
  if (!buffer_) return;
  for (const std::string& line : buffer_->TakeLines()) AppendLogLine(log_, line);
  progress_->setValue(buffer_->Percent());
}

void IntegralWindow::Finished() {
  TakeFeedback();
  ticker_.stop();
  buffer_.reset();
  setFixedSize(clientWidth, clientHeight);
  calculate_->setEnabled(true);
  calculating_ = false;
}

void IntegralWindow::CloseWindow() {
  if (calculating_) analysis_.StopIntegral();
  hide();
}

void IntegralWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    CloseWindow();
    return;
  }
  SecondaryWindow::keyPressEvent(event);
}

// Closing the window during a long calculation stops it.
void IntegralWindow::closeEvent(QCloseEvent* event) {
  if (calculating_) analysis_.StopIntegral();
  SecondaryWindow::closeEvent(event);
}

}  // namespace lw
