#include "windows/ScanWindow.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "windows/QtConvert.h"
#include "windows/ToolIcons.h"

namespace lw {

namespace {

constexpr std::array<const char*, 7> optionCaptions = {
    "Додавати нові проскановані точки до списку",
    "Відображати проскановані точки графічно",
    "Графічно з`єднувати проскановані точки лініями",
    "Щоразу показувати дане вікно",
    "Виділяти останню проскановану точку",
    "Замикати ланцюг з точок сканування",
    "Виділяти площу",
};

constexpr int panelHeight = 60;
constexpr int optionsGrowth = 155;

}  // namespace

QToolButton* AddFlatButton(QWidget* parent, QHBoxLayout* bar, QStyle::StandardPixmap icon,
                           const char* hint) {
  return AddFlatButton(parent, bar, parent->style()->standardIcon(icon), hint);
}

QToolButton* AddFlatButton(QWidget* parent, QHBoxLayout* bar, const QIcon& icon, const char* hint) {
  auto* button = new QToolButton(parent);
  button->setAutoRaise(true);
  button->setIcon(icon);
  button->setFixedSize(25, 25);
  SetHint(button, QString::fromUtf8(hint));
  bar->addWidget(button);
  return button;
}

void SetUpValuesColumns(QTableWidget* grid) {
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid->horizontalHeader()->setStretchLastSection(true);
  // A number too long for its column keeps its start and its exponent ("6.02…E23"),
  // so it never reads as another number.
  grid->setTextElideMode(Qt::ElideMiddle);
  grid->setWordWrap(false);
}

QTableWidget* MakeValuesGrid(QWidget* parent) {
  auto* grid = new QTableWidget(0, 2, parent);
  grid->setHorizontalHeaderLabels({QStringLiteral("Вирази :"), QStringLiteral("Значення :")});
  grid->setColumnWidth(0, 150);
  grid->setColumnWidth(1, 155);
  grid->verticalHeader()->setDefaultSectionSize(20);
  SetUpValuesColumns(grid);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  return grid;
}

void FillValuesGrid(QTableWidget* grid, const std::vector<ScanRow>& rows) {
  const QSignalBlocker quiet(grid);
  grid->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const ScanRow& row = rows[static_cast<std::size_t>(r)];
    grid->setItem(r, 0, new QTableWidgetItem(Q(row.expression)));
    auto* value = new QTableWidgetItem(Q(row.value));
    value->setToolTip(value->text());
    grid->setItem(r, 1, value);
  }
}

QLineEdit* MakeReadOnlyField(QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setReadOnly(true);
  return field;
}

ScanFrame MakeScanFrame(QWidget* window) {
  auto* column = new QVBoxLayout(window);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(2, 2, 2, 2);
  column->addLayout(bar);
  return {column, bar};
}

ScanWindow::ScanWindow(QWidget* parent, ProgramAnalysis& analysis)
    : SecondaryWindow(parent, QStringLiteral("Значення при відповідних аргументах :")),
      analysis_(analysis) {
  resize(320, 286);
  setMinimumSize(320, 150);
  setMaximumSize(800, 800);
  const ScanFrame frame = MakeScanFrame(this);
  QVBoxLayout* layout = frame.column;
  BuildToolBar(frame.bar);
  grid_ = MakeValuesGrid(this);
  layout->addWidget(grid_, 1);
  BuildPanel();
  layout->addWidget(panel_);
  // Wide enough for the longest option caption when the options are shown.
  resize(std::max(width(), optionsGroup_->sizeHint().width() + 8), height());
  connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    analysis_.EditScanCell(static_cast<std::size_t>(item->row()), item->column(), S(item->text()));
  });
  analysis_.AddObserver(this);
  SyncOptions();
}

ScanWindow::~ScanWindow() {
  analysis_.RemoveObserver(this);
}

void ScanWindow::BuildToolBar(QHBoxLayout* bar) {
  ProgramAnalysis& a = analysis_;
  const auto standard = [this](QStyle::StandardPixmap icon) { return style()->standardIcon(icon); };
  const std::array<std::pair<QIcon, const char*>, 8> buttonIcons = {{
      {standard(QStyle::SP_FileDialogListView), "Видати список просканованих точок"},
      {DrawnIcon(ToolGlyph::RelationThroughPoint), "Провести вираз як відношення через точку"},
      {DrawnIcon(ToolGlyph::FunctionThroughPoint), "Провести вираз як функцію через точку"},
      {standard(QStyle::SP_DialogSaveButton), "Зберегти зміни у виразах"},
      {DrawnIcon(ToolGlyph::BoundsFromSelection),
       "Перерахувати  межі побудови за виділеною площею"},
      {standard(QStyle::SP_BrowserReload), "Повернути старі межі до перерахування"},
      {standard(QStyle::SP_FileDialogDetailedView), "Сховати\\показати опції режиму сканування"},
      {standard(QStyle::SP_DialogCloseButton), "Зачинити вікно"},
  }};
  for (std::size_t i = 0; i < buttonIcons.size(); ++i)
    buttons_[i] = AddFlatButton(this, bar, buttonIcons[i].first, buttonIcons[i].second);
  bar->addStretch(1);
  connect(buttons_[0], &QToolButton::clicked, this, [this] {
    if (OnShowPoints) OnShowPoints();
  });
  connect(buttons_[1], &QToolButton::clicked, this,
          [this, &a] { a.RelationThroughPoint(SelectedRow()); });
  connect(buttons_[2], &QToolButton::clicked, this,
          [this, &a] { a.FunctionThroughPoint(SelectedRow()); });
  connect(buttons_[3], &QToolButton::clicked, this, [&a] { a.SaveScanExpressions(); });
  connect(buttons_[4], &QToolButton::clicked, this, [&a] { a.BoundsFromSelection(); });
  connect(buttons_[5], &QToolButton::clicked, this, [&a] { a.RestoreBounds(); });
  connect(buttons_[6], &QToolButton::clicked, this, [this] { ToggleOptionsPanel(); });
  connect(buttons_[7], &QToolButton::clicked, this, [this] { hide(); });
}

void ScanWindow::BuildPanel() {
  panel_ = new QFrame(this);
  panel_->setFixedHeight(panelHeight);
  auto* column = new QVBoxLayout(panel_);
  column->setContentsMargins(2, 2, 2, 2);
  auto* fields = new QGridLayout;
  xName_ = MakeReadOnlyField(panel_);
  xValue_ = MakeReadOnlyField(panel_);
  yName_ = MakeReadOnlyField(panel_);
  yValue_ = MakeReadOnlyField(panel_);
  fields->addWidget(xName_, 0, 0);
  fields->addWidget(xValue_, 0, 1);
  fields->addWidget(yName_, 1, 0);
  fields->addWidget(yValue_, 1, 1);
  fields->setColumnStretch(1, 1);
  column->addLayout(fields);
  optionsGroup_ = new QGroupBox(QStringLiteral("Опції"), panel_);
  SetHint(optionsGroup_, QStringLiteral("Опцій режиму сканування"));
  auto* groupLayout = new QVBoxLayout(optionsGroup_);
  groupLayout->setSpacing(0);
  for (std::size_t i = 0; i < options_.size(); ++i) {
    auto* box = new QCheckBox(QString::fromUtf8(optionCaptions[i]), optionsGroup_);
    options_[i] = box;
    groupLayout->addWidget(box);
    connect(box, &QCheckBox::toggled, this,
            [this, i](bool on) { analysis_.SetScanOption(static_cast<int>(i), on); });
  }
  column->addWidget(optionsGroup_);
  column->addStretch(1);
  optionsGroup_->setVisible(false);
}

void ScanWindow::ToggleOptionsPanel() {
  const int growth = optionsShown_ ? -optionsGrowth : optionsGrowth;
  panel_->setFixedHeight(optionsShown_ ? panelHeight : panelHeight + optionsGrowth);
  optionsGroup_->setVisible(!optionsShown_);
  resize(width(), height() + growth);
  optionsShown_ = !optionsShown_;
}

std::size_t ScanWindow::SelectedRow() const {
  // Like a string grid, the grid counts its first row as selected until another is.
  return static_cast<std::size_t>(std::max(grid_->currentRow(), 0));
}

void ScanWindow::SyncOptions() {
  analysis_.TakeStoredOptions();
  ScanOptionsChanged();
}

void ScanWindow::ScanOptionsChanged() {
  const ScanOptions& on = analysis_.Scan().Options();
  for (std::size_t i = 0; i < options_.size(); ++i) {
    const QSignalBlocker quiet(options_[i]);
    options_[i]->setChecked(on[i]);
  }
}

void ScanWindow::ScanValuesChanged() {
  const ScanValuesPanel& panel = analysis_.Panel();
  xName_->setText(Q(panel.varXText));
  xValue_->setText(Q(panel.xText));
  yName_->setText(Q(panel.varYText));
  yValue_->setText(Q(panel.yText));
  const int current = grid_->currentRow();
  FillValuesGrid(grid_, panel.rows);
  if (current >= 0 && current < grid_->rowCount()) grid_->setCurrentCell(current, 0);
}

void ScanWindow::ScanValuesRequested() {
  show();
  raise();
}

}  // namespace lw
