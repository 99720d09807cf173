#include "windows/ScanListWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "windows/QtConvert.h"
#include "windows/ScanWindow.h"

namespace lw {

ScanListWindow::ScanListWindow(QWidget* parent, ProgramAnalysis& analysis)
    : SecondaryWindow(parent, QStringLiteral("Список просканованих точок :")), analysis_(analysis) {
  resize(284, 190);
  setMinimumSize(270, 105);
  setMaximumSize(800, 800);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(2, 2, 2, 2);
  delete_ = AddFlatButton(this, bar, QStyle::SP_TrashIcon, "Видалтити точку");
  clear_ = AddFlatButton(this, bar, QStyle::SP_DialogResetButton, "Очистити список точок");
  values_ = AddFlatButton(this, bar, QStyle::SP_FileDialogContentsView,
                          "Видати значення виразів у виділеній точці зі списку");
  QToolButton* close = AddFlatButton(this, bar, QStyle::SP_DialogCloseButton, "Зачинити вікно");
  bar->addStretch(1);
  layout->addLayout(bar);
  grid_ = new QTableWidget(1, 2, this);
  grid_->setColumnWidth(0, 135);
  grid_->setColumnWidth(1, 135);
  grid_->verticalHeader()->setDefaultSectionSize(20);
  SetUpValuesColumns(grid_);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(grid_, 1);
  connect(delete_, &QToolButton::clicked, this, [this] { analysis_.DeletePoint(SelectedRow()); });
  connect(clear_, &QToolButton::clicked, this, [this] {
    analysis_.ClearPoints();
    hide();
  });
  connect(values_, &QToolButton::clicked, this,
          [this] { analysis_.ScanValuesAtPoint(SelectedRow()); });
  connect(close, &QToolButton::clicked, this, [this] { hide(); });
  analysis_.AddObserver(this);
}

ScanListWindow::~ScanListWindow() {
  analysis_.RemoveObserver(this);
}

void ScanListWindow::Open() {
  if (analysis_.Scan().Points().empty()) {
    grid_->clearContents();
    grid_->setRowCount(1);
    return;
  }
  const auto [x, y] = analysis_.PointColumns();
  grid_->setHorizontalHeaderLabels({Q(x), Q(y)});
  FillGrid();
  show();
  raise();
  activateWindow();
}

// The 1-based row of the list, as the point list counts.
int ScanListWindow::SelectedRow() const {
  return grid_->currentRow() + 1;
}

void ScanListWindow::FillGrid() {
  const auto rows = analysis_.PointRows();
  const int current = grid_->currentRow();
  grid_->clearContents();
  grid_->setRowCount(std::max(1, static_cast<int>(rows.size())));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const auto& row = rows[static_cast<std::size_t>(r)];
    for (int c = 0; c < 2; ++c) {
      auto* item = new QTableWidgetItem(Q(row[static_cast<std::size_t>(c)]));
      item->setToolTip(item->text());
      grid_->setItem(r, c, item);
    }
  }
  // A string grid always has a selected row: the first one to begin with.
  grid_->selectRow(std::clamp(current, 0, grid_->rowCount() - 1));
}

void ScanListWindow::ScannedPointsChanged() {
  if (isVisible()) FillGrid();
}

}  // namespace lw
