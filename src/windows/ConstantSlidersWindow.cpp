#include "windows/ConstantSlidersWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <numbers>

#include "formula/FormulaParser.h"
#include "windows/QtConvert.h"

namespace lw {

namespace {

QString U(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const char* const headings[] = {"Константа",  "Повзунок",    "Значення",
                                "Нижня межа", "Верхня межа", "Крок"};

QLineEdit* NumberField(QWidget* parent, const char* hint, int width) {
  auto* field = new QLineEdit(parent);
  field->setFixedWidth(width);
  SetHint(field, QString::fromUtf8(hint));
  return field;
}

QString Shown(double value) {
  return Q(ConstantValueText(value, SystemDecimalSeparator()));
}

bool Inside(QObject* watched, const QWidget* widget) {
  for (auto* w = qobject_cast<QWidget*>(watched); w; w = w->parentWidget()) {
    if (w == widget) return true;
  }
  return false;
}

}  // namespace

ConstantSlidersWindow::ConstantSlidersWindow(QWidget* parent, Program& program)
    : SecondaryWindow(parent, U(SlidersCaption)),
      program_(program),
      sliders_(std::make_unique<ConstantSliders>(program)) {
  setObjectName(QStringLiteral("ConstantSlidersWindow"));
  auto* layout = new QVBoxLayout(this);

  auto* pages = new QHBoxLayout;
  page2D_ = new QRadioButton(QStringLiteral("2D"), this);
  page3D_ = new QRadioButton(QStringLiteral("3D"), this);
  SetHint(page2D_,
          QStringLiteral("Константи двовимірних графіків (сторінка «2D» параметрів побудови)"));
  SetHint(page3D_,
          QStringLiteral("Константи тривимірних графіків (сторінка «3D» параметрів побудови)"));
  page2D_->setChecked(true);
  auto* group = new QButtonGroup(this);
  group->addButton(page2D_);
  group->addButton(page3D_);
  pages->addWidget(page2D_);
  pages->addWidget(page3D_);
  pages->addStretch();
  layout->addLayout(pages);
  connect(page3D_, &QRadioButton::toggled, this, [this](bool on) {
    if (threeD_ == on) return;
    sliders_->StopPlay();
    threeD_ = on;
    BuildRows();
  });

  scroll_ = new QScrollArea(this);
  scroll_->setWidgetResizable(true);
  layout->addWidget(scroll_, 1);

  auto* foot = new QHBoxLayout;
  auto* speedLabel = new QLabel(QStringLiteral("Швидкість, кроків за секунду :"), this);
  speed_ = new QSpinBox(this);
  speed_->setRange(1, 100);
  speed_->setValue(10);
  SetHint(speed_, QStringLiteral("Швидкість програвання: скільки кроків повзунка за секунду"));
  connect(speed_, &QSpinBox::valueChanged, this, [this](int v) { sliders_->SetPlaySpeed(v); });
  auto* close = new QPushButton(QStringLiteral("&Зачинити"), this);
  SetHint(close, QStringLiteral("Зачинити вікно"));
  // Enter in a value field applies the value; it must not close the window.
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  foot->addWidget(speedLabel);
  foot->addWidget(speed_);
  foot->addStretch();
  foot->addWidget(close);
  layout->addLayout(foot);

  resize(760, 300);
  sliders_->SetObserver(this);
  program_.Observers().Add(this);
  qApp->installEventFilter(this);
  BuildRows();
}

ConstantSlidersWindow::~ConstantSlidersWindow() {
  qApp->removeEventFilter(this);
  program_.Observers().Remove(this);
  sliders_->SetObserver(nullptr);
}

void ConstantSlidersWindow::Open(bool threeD) {
  (threeD ? page3D_ : page2D_)->setChecked(true);
  Refresh();
  show();
  raise();
  activateWindow();
}

void ConstantSlidersWindow::OptionsChanged() {
  ApplyHints(this, program_.ShowHints());
}

void ConstantSlidersWindow::Refresh() {
  const std::vector<ConstantLine> now = sliders_->Constants(threeD_);
  bool sameShape = now.size() == rows_.size();
  for (std::size_t i = 0; sameShape && i < now.size(); ++i) {
    const ConstantLine& was = rows_[i].constant;
    sameShape = was.line == now[i].line && was.name == now[i].name &&
                was.adjustable == now[i].adjustable && was.reason == now[i].reason;
  }
  if (!sameShape) {
    BuildRows();
    return;
  }
  for (std::size_t i = 0; i < now.size(); ++i) rows_[i].constant = now[i];
  ShowValues();
}

void ConstantSlidersWindow::BuildRows() {
  // A fresh panel each time; the old one may still be inside one of its own signals.
  rows_.clear();
  if (QWidget* old = scroll_->takeWidget()) old->deleteLater();
  rowsPanel_ = new QWidget(scroll_);
  grid_ = new QGridLayout(rowsPanel_);
  grid_->setAlignment(Qt::AlignTop);
  scroll_->setWidget(rowsPanel_);
  const std::vector<ConstantLine> constants = sliders_->Constants(threeD_);
  if (constants.empty()) {
    auto* empty =
        new QLabel(QStringLiteral("У списку констант немає жодного рядка. Додайте рядок "
                                  "на зразок A=3 у групі «Константи» параметрів побудови."),
                   rowsPanel_);
    empty->setWordWrap(true);
    grid_->addWidget(empty, 0, 0, 1, 7);
    return;
  }
  for (int column = 0; column < 6; ++column) {
    grid_->addWidget(new QLabel(QString::fromUtf8(headings[column]), rowsPanel_), 0, column);
  }
  const BuildParameters& params = program_.Doc().Params;
  const std::vector<std::string>& list = threeD_ ? params.Constants3D : params.Constants2D;
  rows_.resize(constants.size());
  for (std::size_t i = 0; i < constants.size(); ++i) {
    Row& row = rows_[i];
    row.constant = constants[i];
    const int gridRow = static_cast<int>(i) + 1;
    const QString line = Q(list[row.constant.line]);
    row.name = new QLabel(row.constant.name ? QString(QChar(row.constant.name)) : line, rowsPanel_);
    MakeBold(row.name);
    SetHint(row.name,
            QStringLiteral("Рядок %1 списку констант: %2").arg(row.constant.line + 1).arg(line));
    grid_->addWidget(row.name, gridRow, 0);
    if (row.constant.adjustable) {
      AddAdjustableRow(row, gridRow);
      continue;
    }
    row.fixed = new QLabel(QStringLiteral("не змінюється"), rowsPanel_);
    row.fixed->setEnabled(false);
    SetHint(row.fixed, Q(row.constant.reason));
    grid_->addWidget(row.fixed, gridRow, 1, 1, 6);
  }
  ShowValues();
  ApplyHints(this, program_.ShowHints());
}

void ConstantSlidersWindow::AddAdjustableRow(Row& row, int gridRow) {
  const std::size_t index = static_cast<std::size_t>(gridRow - 1);
  row.slider = new QSlider(Qt::Horizontal, rowsPanel_);
  row.slider->setMinimumWidth(220);
  SetHint(row.slider, QStringLiteral("Перетягніть, щоб змінити значення константи: рядок у списку "
                                     "констант переписується, графіки будуються знову"));
  connect(row.slider, &QSlider::valueChanged, this,
          [this, index](int step) { OnSlider(index, step); });
  row.value = NumberField(rowsPanel_, "Значення константи; Enter застосовує його", 110);
  connect(row.value, &QLineEdit::returnPressed, this, [this, index] { OnValueTyped(index); });
  row.lower = NumberField(rowsPanel_, "Нижня межа повзунка; Enter застосовує її", 80);
  row.upper = NumberField(rowsPanel_, "Верхня межа повзунка; Enter застосовує її", 80);
  row.step = NumberField(rowsPanel_, "Крок повзунка; Enter застосовує його", 70);
  for (QLineEdit* field : {row.lower, row.upper, row.step}) {
    connect(field, &QLineEdit::returnPressed, this, [this, index] { OnRangeTyped(index); });
  }
  row.play = new QToolButton(rowsPanel_);
  row.play->setCheckable(true);
  row.play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  SetHint(row.play, QStringLiteral("Програвати: повзунок ходить між межами туди й назад; "
                                   "будь-яка інша команда зупиняє"));
  connect(row.play, &QToolButton::clicked, this, [this, index] { OnPlay(index); });
  grid_->addWidget(row.slider, gridRow, 1);
  grid_->addWidget(row.value, gridRow, 2);
  grid_->addWidget(row.lower, gridRow, 3);
  grid_->addWidget(row.upper, gridRow, 4);
  grid_->addWidget(row.step, gridRow, 5);
  grid_->addWidget(row.play, gridRow, 6);
  ShowRange(row);
}

void ConstantSlidersWindow::ShowRange(const Row& row) {
  const SliderRange range = sliders_->Range(threeD_, row.constant.name);
  row.lower->setText(Shown(range.lower));
  row.upper->setText(Shown(range.upper));
  row.step->setText(Shown(range.step));
  const QSignalBlocker block(row.slider);
  row.slider->setRange(0, StepCount(range));
  row.slider->setPageStep(std::max(1, StepCount(range) / 10));
}

void ConstantSlidersWindow::ShowValues() {
  const auto played = sliders_->PlayedLine();
  for (const Row& row : rows_) {
    if (!row.slider) continue;
    // The field the user is typing in keeps its text; the slider under the hand
    // keeps its position.
    if (!row.value->hasFocus() || !row.value->isModified()) {
      row.value->setText(Shown(row.constant.value));
      row.value->setModified(false);
    }
    if (!row.slider->isSliderDown()) {
      const QSignalBlocker block(row.slider);
      row.slider->setValue(
          NearestStep(sliders_->Range(threeD_, row.constant.name), row.constant.value));
    }
    const bool playing = played && played->first == threeD_ && played->second == row.constant.line;
    row.play->setChecked(playing);
    row.play->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaStop : QStyle::SP_MediaPlay));
  }
}

void ConstantSlidersWindow::OnSlider(std::size_t rowIndex, int step) {
  if (rowIndex >= rows_.size()) return;
  const Row& row = rows_[rowIndex];
  const SliderRange range = sliders_->Range(threeD_, row.constant.name);
  sliders_->SetValue(threeD_, row.constant.line, ValueAtStep(range, step), RunningBuild::Finish);
}

std::optional<double> ConstantSlidersWindow::ReadNumber(const QLineEdit* field) {
  FormulaParser parser;
  parser.ClearVariables();
  parser.SetVariable("P", std::numbers::pi);
  parser.SetVariable("E", std::numbers::e);
  std::string text = S(field->text());
  const double value = parser.EvaluateNormalized(text);
  if (parser.HasError() || S(field->text()).find_first_not_of(" \t") == std::string::npos) {
    return std::nullopt;
  }
  return value;
}

void ConstantSlidersWindow::OnValueTyped(std::size_t rowIndex) {
  if (rowIndex >= rows_.size()) return;
  Row& row = rows_[rowIndex];
  const std::optional<double> value = ReadNumber(row.value);
  row.value->setModified(false);
  if (!value || !sliders_->SetValue(threeD_, row.constant.line, *value)) {
    program_.SetStatus(std::string(BadConstantValueText));
    ShowValues();
  }
}

void ConstantSlidersWindow::OnRangeTyped(std::size_t rowIndex) {
  if (rowIndex >= rows_.size()) return;
  Row& row = rows_[rowIndex];
  const auto lower = ReadNumber(row.lower), upper = ReadNumber(row.upper),
             step = ReadNumber(row.step);
  if (!lower || !upper || !step ||
      !sliders_->SetRange(threeD_, row.constant.name, SliderRange{*lower, *upper, *step})) {
    program_.SetStatus(std::string(BadRangeText));
  }
  ShowRange(row);
  ShowValues();
}

void ConstantSlidersWindow::OnPlay(std::size_t rowIndex) {
  if (rowIndex >= rows_.size()) return;
  const auto played = sliders_->PlayedLine();
  const bool thisOne =
      played && played->first == threeD_ && played->second == rows_[rowIndex].constant.line;
  sliders_->StopPlay();
  if (!thisOne) sliders_->StartPlay(threeD_, rows_[rowIndex].constant.line, speed_->value());
  ShowValues();
}

void ConstantSlidersWindow::PlayChanged() {
  ShowValues();
}

bool ConstantSlidersWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (sliders_->Playing() && watched->isWidgetType() &&
      (type == QEvent::KeyPress || type == QEvent::MouseButtonPress || type == QEvent::Shortcut) &&
      EndsPlay(watched)) {
    sliders_->StopPlay();
  }
  return SecondaryWindow::eventFilter(watched, event);
}

bool ConstantSlidersWindow::EndsPlay(QObject* watched) const {
  // A play ends with any other command: a key or a click anywhere but on a play
  // button or the speed field. A press a control left unhandled travels on to its
  // parents; those deliveries to this window's own frame say nothing new.
  if (!Inside(watched, this)) return true;
  if (watched == this || watched == scroll_ || watched == scroll_->viewport() ||
      watched == rowsPanel_) {
    return false;
  }
  if (Inside(watched, speed_)) return false;
  return std::none_of(rows_.begin(), rows_.end(),
                      [watched](const Row& r) { return r.play && Inside(watched, r.play); });
}

void ConstantSlidersWindow::hideEvent(QHideEvent* event) {
  sliders_->StopPlay();
  SecondaryWindow::hideEvent(event);
}

ConstantSlidersWindow* FindConstantSliders(QWidget* mainWindow) {
  // The class has no meta-object of its own, so it is found by name.
  auto* found = mainWindow->findChild<QDialog*>(QStringLiteral("ConstantSlidersWindow"),
                                                Qt::FindDirectChildrenOnly);
  return dynamic_cast<ConstantSlidersWindow*>(found);
}

ConstantSlidersWindow& OpenConstantSliders(QWidget* mainWindow, Program& program, bool threeD) {
  ConstantSlidersWindow* window = FindConstantSliders(mainWindow);
  if (!window) window = new ConstantSlidersWindow(mainWindow, program);
  window->Open(threeD);
  return *window;
}

}  // namespace lw
