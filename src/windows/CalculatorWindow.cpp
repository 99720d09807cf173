#include "windows/CalculatorWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextCursor>
#include <QVBoxLayout>

#include "app/ProgramAnalysis.h"
#include "app/StatusTexts.h"
#include "windows/QtConvert.h"

namespace lw {

namespace {

QPushButton* MakeButton(QWidget* parent, const QString& caption, const QString& hint) {
  auto* button = new QPushButton(caption, parent);
  button->setAutoDefault(false);
  SetHint(button, hint);
  return button;
}

}  // namespace

void AppendLogLine(QPlainTextEdit* log, const std::string& line) {
  // The log's first block exists before anything is written; it takes the first line.
  const char* const written = "lwLogLines";
  const int count = log->property(written).toInt();
  QTextCursor end(log->document());
  end.movePosition(QTextCursor::End);
  if (count > 0) end.insertBlock();
  end.insertText(Q(line));
  log->setProperty(written, count + 1);
  // The last line comes into view by its start: the log is read from the left.
  log->moveCursor(QTextCursor::End);
  log->moveCursor(QTextCursor::StartOfBlock);
  log->ensureCursorVisible();
  log->verticalScrollBar()->setValue(log->verticalScrollBar()->maximum());
  log->horizontalScrollBar()->setValue(0);
}

CalculatorWindow::CalculatorWindow(QWidget* parent, ProgramAnalysis& analysis)
    : SecondaryWindow(parent, QStringLiteral("Калькулятор")), analysis_(analysis) {
  setFixedSize(578, 182);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 2, 4, 4);
  auto* left = new QVBoxLayout;
  left->setSpacing(2);
  left->addWidget(new QLabel(QStringLiteral("Результати :"), this));
  log_ = new QPlainTextEdit(this);
  log_->setReadOnly(true);
  log_->setLineWrapMode(QPlainTextEdit::NoWrap);
  log_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  SetHint(log_, QStringLiteral("Результати усіх обрахунків"));
  left->addWidget(log_, 1);
  left->addWidget(new QLabel(QStringLiteral("Вираз :"), this));
  input_ = new QLineEdit(this);
  SetHint(input_, QStringLiteral("Вираз значення якого буде знаходитися"));
  left->addWidget(input_);
  auto* buttons = new QHBoxLayout;
  clearInput_ = new QCheckBox(QStringLiteral("Очищати ввід"), this);
  SetHint(clearInput_, QStringLiteral("Очищати ввід після кожного обрахування"));
  buttons->addWidget(clearInput_);
  auto* calculate = MakeButton(this, QStringLiteral("&Порахувати"), QStringLiteral("Обрахувати"));
  auto* close = MakeButton(this, QStringLiteral("&Зачинити"), QStringLiteral("Зачинити вікно"));
  buttons->addWidget(calculate);
  buttons->addWidget(close);
  left->addLayout(buttons);
  row->addLayout(left, 1);
  row->addWidget(BuildTable());
  connect(calculate, &QPushButton::clicked, this, [this] { Calculate(); });
  connect(input_, &QLineEdit::returnPressed, this, [this] { Calculate(); });
  connect(close, &QPushButton::clicked, this, [this] { hide(); });
  connect(clearInput_, &QCheckBox::toggled, this,
          [this](bool on) { analysis_.SetCalculatorClearsInput(on); });
  SyncOptions();
  RefreshTable();
}

QWidget* CalculatorWindow::BuildTable() {
  auto* box = new QWidget(this);
  box->setFixedWidth(200);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  column->addWidget(new QLabel(QStringLiteral("Параметри :"), box));
  table_ = new QTableWidget(26, 2, box);
  table_->setHorizontalHeaderLabels({QStringLiteral("Ім`я :"), QStringLiteral("Значення :")});
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(18);
  table_->setColumnWidth(0, 33);
  table_->setColumnWidth(1, 104);
  table_->horizontalHeader()->setStretchLastSection(true);
  SetHint(table_, QStringLiteral("Таблиця  значень параметрів"));
  for (int i = 0; i < 26; ++i) {
    auto* label = new QTableWidgetItem(Q(VariableRowLabel(i)));
    label->setFlags(Qt::ItemIsEnabled);
    table_->setItem(i, 0, label);
    table_->setItem(i, 1, new QTableWidgetItem);
  }
  column->addWidget(table_, 1);
  auto* grid = new QGridLayout;
  grid->setSpacing(2);
  const std::array<std::pair<const char*, const char*>, 4> buttonTexts = {{
      {"Встановити", "Встановити значення параметрів з таблиці"},
      {"Поновити", "Записати значення параметрів у таблицю"},
      {"Обнулити", "Обнулити чарунки таблиці"},
      {"Константи", "Записати константи у таблицю"},
  }};
  std::array<QPushButton*, 4> buttons{};
  for (std::size_t i = 0; i < buttonTexts.size(); ++i) {
    buttons[i] = MakeButton(box, QString::fromUtf8(buttonTexts[i].first),
                            QString::fromUtf8(buttonTexts[i].second));
    grid->addWidget(buttons[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
  }
  column->addLayout(grid);
  connect(buttons[0], &QPushButton::clicked, this, [this] { SetFromTable(); });
  connect(buttons[1], &QPushButton::clicked, this, [this] { RefreshTable(); });
  connect(buttons[2], &QPushButton::clicked, this, [this] { ZeroTable(); });
  connect(buttons[3], &QPushButton::clicked, this, [this] { ConstantsToTable(); });
  return box;
}

void CalculatorWindow::SyncOptions() {
  clearInput_->setChecked(analysis_.CalculatorClearsInput());
}

void CalculatorWindow::ShowForInput() {
  RefreshTable();
  show();
  raise();
  activateWindow();
  input_->setFocus();
}

void CalculatorWindow::Calculate() {
  log_->setFocus();
  const auto lines = analysis_.Calc().Calculate(S(input_->text()), SystemDecimalSeparator());
  for (const std::string& line : lines) AppendLogLine(log_, line);
  if (clearInput_->isChecked()) input_->clear();
}

VariableTable CalculatorWindow::Cells() const {
  VariableTable cells;
  for (int i = 0; i < 26; ++i) {
    const QTableWidgetItem* item = table_->item(i, 1);
    cells[static_cast<std::size_t>(i)] = item ? S(item->text()) : std::string();
  }
  return cells;
}

void CalculatorWindow::ShowCells(const VariableTable& cells) {
  for (int i = 0; i < 26; ++i) table_->item(i, 1)->setText(Q(cells[static_cast<std::size_t>(i)]));
}

void CalculatorWindow::SetFromTable() {
  analysis_.Calc().SetFromTable(Cells());
}

void CalculatorWindow::RefreshTable() {
  VariableTable cells = Cells();
  analysis_.Calc().RefreshTable(cells, SystemDecimalSeparator());
  ShowCells(cells);
}

void CalculatorWindow::ZeroTable() {
  VariableTable cells = Cells();
  Calculator::ZeroTable(cells);
  ShowCells(cells);
}

void CalculatorWindow::ConstantsToTable() {
  VariableTable cells = Cells();
  Calculator::ConstantsToTable(cells, SystemDecimalSeparator());
  ShowCells(cells);
}

}  // namespace lw
