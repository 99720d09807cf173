#include "windows/AppearanceWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/Program2D.h"
#include "app/Program3D.h"
#include "windows/Dialogs.h"
#include "windows/QtConvert.h"

namespace lw {

namespace {

QGroupBox* Group(QWidget* parent, const char* caption, const char* hint) {
  auto* box = new QGroupBox(QString::fromUtf8(caption), parent);
  if (hint) SetHint(box, QString::fromUtf8(hint));
  return box;
}

const QStringList lineStyles = {QStringLiteral("звичайний"), QStringLiteral("штрих"),
                                QStringLiteral("пунктир"), QStringLiteral("штрих-пунктир 1"),
                                QStringLiteral("штрих-пунктир 2")};

Colour& ShapeColour(AppearanceSettings& a, int shape) {
  switch (shape) {
    case 1:
      return a.BackgroundColor;
    case 2:
      return a.MainColour3D;
    case 3:
      return a.AxesColor;
    default:
      return a.GridColor;
  }
}

}  // namespace

AppearanceWindow::AppearanceWindow(QWidget* parent, DocumentEditor& edits,
                                   ProgramObservers& observers, Program2D& twoD, Program3D& threeD,
                                   Dialogs& dialogs)
    : SecondaryWindow(parent, QStringLiteral("Оформлення :")),
      edits_(edits),
      observers_(observers),
      twoD_(twoD),
      threeD_(threeD),
      dialogs_(dialogs) {
  auto* layout = new QVBoxLayout(this);
  auto* tabs = new QHBoxLayout;
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < 2; ++i) {
    auto* b = new QPushButton(i == 0 ? QStringLiteral("2D") : QStringLiteral("3D"), this);
    b->setCheckable(true);
    group->addButton(b, i);
    tabs->addWidget(b);
    pageButtons_[static_cast<std::size_t>(i)] = b;
  }
  tabs->addStretch(1);
  layout->addLayout(tabs);
  pages_ = new QStackedWidget(this);
  pages_->addWidget(MakePage2D());
  pages_->addWidget(MakePage3D());
  layout->addWidget(pages_);
  auto* close = new QPushButton(QStringLiteral("&Зачинити"), this);
  SetHint(close, QStringLiteral("Зачинити вікно"));
  layout->addWidget(close);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(group, &QButtonGroup::idClicked, this, [this](int id) { ShowPage(id == 1); });
  ShowPage(false);
  ShowDocument();
  observers_.Add(this);
}

AppearanceWindow::~AppearanceWindow() {
  observers_.Remove(this);
}

QWidget* AppearanceWindow::MakePage2D() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);

  auto* colours = Group(page, "Кольори", "Кольори,якими будуть намальовані відповідні елементи");
  auto* g = new QGridLayout(colours);
  const std::pair<int, const char*> colourButtons[] = {{1, "Фон"}, {3, "Вісі"}, {4, "Сітка"}};
  int row = 0;
  for (const auto& [shape, caption] : colourButtons) {
    const std::size_t i = static_cast<std::size_t>(shape - 1);
    shapes_[i] = new Swatch(colours);
    shapes_[i]->setFixedSize(40, 20);
    shapeButtons_[i] = new QPushButton(QString::fromUtf8(caption), colours);
    g->addWidget(shapes_[i], row, 0);
    g->addWidget(shapeButtons_[i], row++, 1);
    connect(shapeButtons_[i], &QPushButton::clicked, this, [this, s = shape] { ChangeColour(s); });
  }
  grid->addWidget(colours, 0, 0);

  auto* look =
      Group(page, "Оформлення", "Параметри малювання фона,осей координат,сітки на графіку");
  auto* v = new QVBoxLayout(look);
  using A = AppearanceSettings;
  const std::pair<Flag, const char*> boxes[] = {{&A::ShowAxes, "Вісі"},
                                                {&A::AxesOnTop, "Поверх графіку"},
                                                {&A::ShowBounds, "Межі"},
                                                {&A::ShowVariableNames, "Назви змінних"},
                                                {&A::ShowUnits, "Одиниці на осях"},
                                                {&A::ClearBackground, "Очищати фон"},
                                                {&A::ShowGrid, "Сітка"}};
  for (const auto& [setting, caption] : boxes) v->addWidget(AddCheck(look, setting, caption));
  grid->addWidget(look, 0, 1, 2, 1);

  auto* font = Group(page, "Шрифт", "Шрифт назв змінних і.т.н. на графіку");
  auto* h = new QHBoxLayout(font);
  fontSample_ = new QLabel(font);
  fontSample_->setMinimumWidth(120);
  fontButton_ = new QPushButton(QStringLiteral("Змінити"), font);
  h->addWidget(fontSample_, 1);
  h->addWidget(fontButton_);
  connect(fontButton_, &QPushButton::clicked, this, [this] { ChangeFont(); });
  grid->addWidget(font, 1, 0);

  auto* lines = Group(page, "Стиль ліній", "Стиль ліній сітки і осей координат ");
  g = new QGridLayout(lines);
  g->addWidget(new QLabel(QStringLiteral("Тип :"), lines), 0, 1);
  g->addWidget(new QLabel(QStringLiteral("Товщина :"), lines), 0, 2);
  const struct {
    const char* caption;
    Number style;
    Number width;
  } rows[2] = {{"Вісі :", &A::AxesLineStyle, &A::AxesLineWidth},
               {"Сітка :", &A::GridLineStyle, &A::GridLineWidth}};
  for (int i = 0; i < 2; ++i) {
    g->addWidget(new QLabel(QString::fromUtf8(rows[i].caption), lines), i + 1, 0);
    auto* combo = new QComboBox(lines);
    combo->addItems(lineStyles);
    AddCombo(combo, rows[i].style);
    g->addWidget(combo, i + 1, 1);
    auto* spin = new QSpinBox(lines);
    spin->setRange(1, 20);
    AddSpin(spin, rows[i].width);
    g->addWidget(spin, i + 1, 2);
    connect(spin, &QSpinBox::valueChanged, this, [this] { Store(); });
  }
  grid->addWidget(lines, 2, 0, 1, 2);
  return page;
}

QWidget* AppearanceWindow::MakePage3D() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);

  auto* shape = Group(page, "Вид фігури", nullptr);
  auto* h = new QHBoxLayout(shape);
  h->addWidget(new QLabel(QStringLiteral("Як малювати :"), shape));
  using A = AppearanceSettings;
  auto* drawMode = new QComboBox(shape);
  drawMode->addItems(
      {QStringLiteral("точками"), QStringLiteral("лініями"), QStringLiteral("полігонами")});
  AddCombo(drawMode, &A::DrawMode3D);
  h->addWidget(drawMode);
  grid->addWidget(shape, 0, 0);

  auto* motion = Group(page, "Рухи", nullptr);
  auto* g = new QGridLayout(motion);
  g->addWidget(new QLabel(QStringLiteral("Тип руху :"), motion), 0, 0);
  auto* motionType = new QComboBox(motion);
  motionType->addItems({QStringLiteral("обертання"), QStringLiteral("переміщення")});
  AddCombo(motionType, &A::MotionType);
  g->addWidget(motionType, 0, 1, 1, 3);
  g->addWidget(new QLabel(QStringLiteral("Чутливість миші :"), motion), 1, 0, 1, 4);
  const std::pair<Number, const char*> sensitivities[] = {
      {&A::SensitivityX, "X :"},   {&A::SensitivityY, "Y :"},   {&A::SensitivityZ, "Z :"},
      {&A::SensitivityRX, "rX :"}, {&A::SensitivityRY, "rY :"}, {&A::SensitivityRZ, "rZ :"}};
  int i = 0;
  for (const auto& [setting, caption] : sensitivities) {
    auto* spin = new QSpinBox(motion);
    spin->setRange(-10000, 10000);
    AddSpin(spin, setting);
    g->addWidget(new QLabel(QString::fromUtf8(caption), motion), 2 + i / 3, (i % 3) * 2);
    g->addWidget(spin, 2 + i / 3, (i % 3) * 2 + 1);
    connect(spin, &QSpinBox::valueChanged, this, [this] { SensitivityChanged(); });
    ++i;
  }
  grid->addWidget(motion, 1, 0, 1, 2);
  // The lists' own handlers: the drawing mode and the motion take effect at once.
  connect(drawMode, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!showing_) threeD_.SetDrawMode(index);
  });
  connect(motionType, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!showing_) threeD_.SetMotionType(index);
  });

  auto* look = Group(page, "Оформлення", nullptr);
  auto* v = new QVBoxLayout(look);
  const std::pair<Flag, const char*> boxes[] = {{&A::Clear3D, "Очищати фон"},
                                                {&A::Axes3D, "Вісі координат"},
                                                {&A::AxisLetters3D, "X,Y,Z  і.т.н."}};
  for (const auto& [setting, caption] : boxes) v->addWidget(AddCheck(look, setting, caption));
  grid->addWidget(look, 0, 1);

  auto* main = Group(page, "Основний колір", "Основний колір (Вісі,Завантажені фігури)");
  h = new QHBoxLayout(main);
  shapes_[1] = new Swatch(main);
  shapes_[1]->setFixedSize(40, 20);
  shapeButtons_[1] = new QPushButton(QStringLiteral("Змінити"), main);
  h->addWidget(shapes_[1]);
  h->addWidget(shapeButtons_[1]);
  connect(shapeButtons_[1], &QPushButton::clicked, this, [this] { ChangeColour(2); });
  grid->addWidget(main, 2, 0, 1, 2);
  return page;
}

QCheckBox* AppearanceWindow::AddCheck(QWidget* parent, Flag setting, const char* caption) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  checks_.emplace_back(box, setting);
  connect(box, &QCheckBox::toggled, this, [this] { Store(); });
  return box;
}

void AppearanceWindow::AddCombo(QComboBox* combo, Number setting) {
  combos_.emplace_back(combo, setting);
  connect(combo, &QComboBox::currentIndexChanged, this, [this] { Store(); });
}

void AppearanceWindow::AddSpin(QSpinBox* spin, Number setting) {
  spins_.emplace_back(spin, setting);
}

namespace {

// The control bound to setting in a list of bindings; null when none is.
template <class Control, class Setting>
Control* Bound(const std::vector<std::pair<Control*, Setting>>& bindings, Setting setting) {
  for (const auto& [control, bound] : bindings) {
    if (bound == setting) return control;
  }
  return nullptr;
}

}  // namespace

QCheckBox* AppearanceWindow::Check(Flag setting) const {
  return Bound(checks_, setting);
}

QComboBox* AppearanceWindow::Combo(Number setting) const {
  return Bound(combos_, setting);
}

QSpinBox* AppearanceWindow::Spin(Number setting) const {
  return Bound(spins_, setting);
}

void AppearanceWindow::ShowPage(bool threeD) {
  pages_->setCurrentIndex(threeD ? 1 : 0);
  pageButtons_[threeD ? 1 : 0]->setChecked(true);
}

bool AppearanceWindow::ShowsPage3D() const {
  return pages_->currentIndex() == 1;
}

void AppearanceWindow::ChangeColour(int shape) {
  AppearanceSettings a = edits_.Doc().Appearance;
  const auto chosen = dialogs_.ChooseColour(this, ShapeColour(a, shape));
  if (!chosen) return;
  ShapeColour(a, shape) = *chosen;
  // The next label font starts from the axes colour.
  if (shape == 3) a.Font.Color = *chosen;
  edits_.SetAppearance(a);
  ShowDocument();
}

void AppearanceWindow::ChangeFont() {
  AppearanceSettings a = edits_.Doc().Appearance;
  const auto chosen = dialogs_.ChooseFont(this, a.Font);
  if (!chosen) return;
  a.Font = *chosen;
  edits_.SetAppearance(a);
  twoD_.ApplyLabelFont();
  ShowDocument();
}

void AppearanceWindow::SensitivityChanged() {
  if (showing_) return;
  // A zero factor would freeze that axis of the mouse; it becomes 1.
  for (const auto& [spin, setting] : spins_) {
    const bool sensitivity = setting != &AppearanceSettings::AxesLineWidth &&
                             setting != &AppearanceSettings::GridLineWidth;
    if (sensitivity && spin->value() == 0) spin->setValue(1);
  }
  Store();
}

void AppearanceWindow::Store() {
  if (showing_) return;
  AppearanceSettings a = edits_.Doc().Appearance;
  for (const auto& [box, setting] : checks_) a.*setting = box->isChecked();
  for (const auto& [combo, setting] : combos_) a.*setting = combo->currentIndex();
  for (const auto& [spin, setting] : spins_) a.*setting = spin->value();
  edits_.SetAppearance(a);
}

void AppearanceWindow::ShowDocument() {
  showing_ = true;
  const AppearanceSettings& a = edits_.Doc().Appearance;
  for (const auto& [box, setting] : checks_) box->setChecked(a.*setting);
  for (const auto& [combo, setting] : combos_) combo->setCurrentIndex(a.*setting);
  for (const auto& [spin, setting] : spins_) spin->setValue(a.*setting);
  Shape(1)->SetColour(a.BackgroundColor);
  Shape(2)->SetColour(a.MainColour3D);
  Shape(3)->SetColour(a.AxesColor);
  Shape(4)->SetColour(a.GridColor);
  fontSample_->setText(Q(a.Font.FaceName));
  fontSample_->setFont(ToQFont(a.Font));
  QPalette pal = fontSample_->palette();
  pal.setColor(QPalette::WindowText, ToQColor(a.Font.Color));
  fontSample_->setPalette(pal);
  showing_ = false;
}

void AppearanceWindow::DocumentChanged() {
  ShowDocument();
}

void AppearanceWindow::AppearanceChanged() {
  if (!showing_) ShowDocument();
}

}  // namespace lw
