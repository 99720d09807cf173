#include "windows/PaletteWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

#include "windows/Dialogs.h"
#include "windows/QtConvert.h"

namespace lw {

namespace {
const QString paletteFilter = QStringLiteral("Файли Палітри (*.plt);;Усі Файли (*.*)");
const QString paletteSuffix = QStringLiteral("plt");
constexpr int cell = 16;
}  // namespace

PaletteGrid::PaletteGrid(QWidget* parent, Program& program) : QFrame(parent), program_(program) {
  setCursor(Qt::CrossCursor);
  setFixedSize(256, 256);
}

void PaletteGrid::SetSelected(int entry) {
  entry &= 0xFF;
  if (entry == selected_) return;
  selected_ = entry;
  update();
}

void PaletteGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const Palette& palette = program_.Pal();
  painter.setPen(Qt::black);
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 16; ++c) {
      painter.setBrush(ToQColor(palette.At(16 * r + c)));
      painter.drawRect(cell * c, cell * r, cell, cell);
    }
  }
  painter.setPen(Qt::white);
  painter.setBrush(ToQColor(palette.At(selected_)));
  painter.drawRect(cell * (selected_ & 15), cell * (selected_ / 16), cell - 1, cell - 1);
}

void PaletteGrid::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (!rect().contains(p)) return;
  if (OnPick) OnPick(PaletteEntryAt(p.x(), p.y()));
}

PaletteWindow::PaletteWindow(QWidget* parent, Program& program, Dialogs& dialogs)
    : SecondaryWindow(parent, QStringLiteral("Палітра")), program_(program), dialogs_(dialogs) {
  setFixedSize(460, 279);

  auto* colour = new QGroupBox(QStringLiteral("Палітра"), this);
  SetHint(colour, QStringLiteral("Колір палітри з відповідним номером"));
  colour->setGeometry(4, 2, 180, 92);
  (new QLabel(QStringLiteral("Колір з палітри :"), colour))->setGeometry(8, 18, 100, 18);
  swatch_ = new Swatch(colour);
  swatch_->setGeometry(120, 18, 52, 18);
  (new QLabel(QStringLiteral("Номер :"), colour))->setGeometry(8, 42, 60, 20);
  number_ = new QSpinBox(colour);
  number_->setRange(0, 65535);
  number_->setGeometry(70, 40, 102, 22);
  auto* change = new QPushButton(QStringLiteral("Змінити"), colour);
  change->setGeometry(8, 64, 164, 24);

  auto* actions = new QGroupBox(QStringLiteral("Дії над палітрою"), this);
  SetHint(actions, QStringLiteral("Дії що можна виконати над палітрою"));
  actions->setGeometry(4, 96, 180, 146);
  auto* load = new QPushButton(QStringLiteral("Завантажити"), actions);
  load->setGeometry(8, 18, 94, 24);
  auto* save = new QPushButton(QStringLiteral("Зберегти"), actions);
  save->setGeometry(104, 18, 68, 24);
  auto* randomise = new QPushButton(QStringLiteral("Рандомізувати"), actions);
  randomise->setGeometry(8, 44, 164, 24);
  (new QLabel(QStringLiteral("Заливка :"), actions))->setGeometry(8, 72, 66, 18);
  alternate_ = new QCheckBox(QStringLiteral("Чергування"), actions);
  alternate_->setGeometry(76, 70, 96, 20);
  (new QLabel(QStringLiteral("Кількість :"), actions))->setGeometry(8, 94, 66, 20);
  count_ = new QSpinBox(actions);
  count_->setRange(0, 65535);
  count_->setValue(2);
  count_->setGeometry(76, 92, 46, 22);
  auto* fill = new QPushButton(QStringLiteral("Залити"), actions);
  fill->setGeometry(124, 92, 48, 22);
  auto* copy = new QPushButton(QStringLiteral("Скопіювати у 3d пал."), actions);
  copy->setGeometry(8, 117, 164, 24);

  auto* close = new QPushButton(QStringLiteral("&Зачинити"), this);
  SetHint(close, QStringLiteral("Зачинити вікно"));
  close->setGeometry(4, 247, 180, 28);

  auto* bevel = new QFrame(this);
  bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bevel->setLineWidth(3);
  bevel->setGeometry(192, 8, 262, 262);
  grid_ = new PaletteGrid(bevel, program_);
  grid_->move(3, 3);

  connect(change, &QPushButton::clicked, this, [this] { ChangeSelectedColour(); });
  connect(load, &QPushButton::clicked, this, [this] { LoadPalette(); });
  connect(save, &QPushButton::clicked, this, [this] { SavePalette(); });
  connect(randomise, &QPushButton::clicked, this, [this] { program_.RandomizePalette(); });
  connect(fill, &QPushButton::clicked, this,
          [this] { program_.FillPalette(count_->value(), alternate_->isChecked()); });
  connect(copy, &QPushButton::clicked, this, [this] { program_.CopyPaletteTo3D(); });
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(number_, &QSpinBox::valueChanged, this, [this] { ShowSelectedColour(); });
  grid_->OnPick = [this](int entry) { number_->setValue(entry); };
  ShowSelectedColour();
  program_.Observers().Add(this);
}

PaletteWindow::~PaletteWindow() {
  program_.Observers().Remove(this);
}

int PaletteWindow::SelectedEntry() const {
  return SelectedPaletteEntry(number_->value());
}

QPushButton* PaletteWindow::Button(const QString& caption) const {
  for (QPushButton* b : findChildren<QPushButton*>()) {
    if (b->text() == caption) return b;
  }
  return nullptr;
}

void PaletteWindow::ShowSelectedColour() {
  swatch_->SetColour(program_.Pal().At(SelectedEntry()));
  grid_->SetSelected(SelectedEntry());
  grid_->update();
}

void PaletteWindow::PaletteChanged() {
  ShowSelectedColour();
}

void PaletteWindow::ChangeSelectedColour() {
  if (auto chosen = dialogs_.ChooseColour(this, swatch_->CurrentColour())) {
    swatch_->SetColour(*chosen);
  }
  program_.SetPaletteEntry(SelectedEntry(), swatch_->CurrentColour());
  ShowSelectedColour();
}

void PaletteWindow::SavePalette() {
  if (auto name = dialogs_.SaveFileName(this, QStringLiteral("Збереження Палітри..."),
                                        paletteFilter, paletteSuffix)) {
    program_.SavePalette(S(*name));
  }
}

void PaletteWindow::LoadPalette() {
  if (auto name = dialogs_.OpenFileName(this, QStringLiteral("Завантаження Палітри..."),
                                        paletteFilter, paletteSuffix)) {
    program_.LoadPalette(S(*name));
  }
}

}  // namespace lw
