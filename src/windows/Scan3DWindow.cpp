#include "windows/Scan3DWindow.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "windows/QtConvert.h"
#include "windows/ScanWindow.h"
#include "windows/ToolIcons.h"

namespace lw {

Scan3DWindow::Scan3DWindow(QWidget* parent, ProgramAnalysis& analysis)
    : SecondaryWindow(parent, QStringLiteral("Значення при відповідних аргументах :")),
      analysis_(analysis) {
  resize(330, 260);
  setMinimumSize(320, 160);
  setMaximumSize(800, 800);
  const ScanFrame frame = MakeScanFrame(this);
  QVBoxLayout* layout = frame.column;
  QHBoxLayout* bar = frame.bar;
  refresh_ = AddFlatButton(this, bar, QStyle::SP_BrowserReload,
                           "Видати значення виразів у вписаній точці ");
  throughPoint_ = AddFlatButton(this, bar, DrawnIcon(ToolGlyph::FunctionThroughPoint),
                                "Провести вираз як функцію через точку");
  save_ = AddFlatButton(this, bar, QStyle::SP_DialogSaveButton, "Зберегти зміни у виразах");
  close_ = AddFlatButton(this, bar, QStyle::SP_DialogCloseButton, "Зачинити вікно");
  bar->addStretch(1);
  grid_ = MakeValuesGrid(this);
  layout->addWidget(grid_, 1);
  auto* panel = new QFrame(this);
  panel->setFixedHeight(83);
  auto* fields = new QGridLayout(panel);
  fields->setContentsMargins(2, 2, 2, 2);
  fields->setVerticalSpacing(2);
  ProgramAnalysis& a = analysis_;
  for (int i = 0; i < 3; ++i) {
    auto& name = names_[static_cast<std::size_t>(i)];
    auto& value = coordinates_[static_cast<std::size_t>(i)];
    name = MakeReadOnlyField(panel);
    value = new QLineEdit(Q(a.Panel3D().coordinates[static_cast<std::size_t>(i)]), panel);
    fields->addWidget(name, i, 0);
    fields->addWidget(value, i, 1);
    connect(value, &QLineEdit::textEdited, this,
            [&a, i](const QString& text) { a.SetCoordinate(i, S(text)); });
  }
  fields->setColumnStretch(1, 1);
  layout->addWidget(panel);
  connect(grid_, &QTableWidget::itemChanged, this, [&a](QTableWidgetItem* item) {
    a.Edit3DCell(static_cast<std::size_t>(item->row()), item->column(), S(item->text()));
  });
  connect(refresh_, &QToolButton::clicked, this, [&a] { a.Refresh3DScan(); });
  connect(throughPoint_, &QToolButton::clicked, this,
          [this, &a] { a.FunctionThroughPoint3D(SelectedRow()); });
  connect(save_, &QToolButton::clicked, this, [&a] { a.Save3DScanExpressions(); });
  connect(close_, &QToolButton::clicked, this, [this] { hide(); });
  a.AddObserver(this);
}

Scan3DWindow::~Scan3DWindow() {
  analysis_.RemoveObserver(this);
}

void Scan3DWindow::Open() {
  analysis_.Open3DScan();
  show();
  raise();
  activateWindow();
}

std::size_t Scan3DWindow::SelectedRow() const {
  // Like a string grid, the grid counts its first row as selected until another is.
  return static_cast<std::size_t>(std::max(grid_->currentRow(), 0));
}

void Scan3DWindow::Scan3DChanged() {
  const Scan3DPanel& panel = analysis_.Panel3D();
  for (std::size_t i = 0; i < 3; ++i) {
    names_[i]->setText(Q(panel.names[i]));
    // Only a real change, so the cursor stays where the user types.
    if (S(coordinates_[i]->text()) != panel.coordinates[i])
      coordinates_[i]->setText(Q(panel.coordinates[i]));
  }
  const int current = grid_->currentRow();
  FillValuesGrid(grid_, panel.rows);
  if (current >= 0 && current < grid_->rowCount()) grid_->setCurrentCell(current, 0);
}

}  // namespace lw
