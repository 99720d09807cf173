#include "AppearanceWindow.h"

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

#include "Dialogs.h"
#include "Program3D.h"
#include "QtConvert.h"

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
      return a.MainColor3D;
    case 3:
      return a.AxesColor;
    default:
      return a.GridColor;
  }
}

}  // namespace

AppearanceWindow::AppearanceWindow(QWidget* parent, Program& program, Dialogs& dialogs)
    : SecondaryWindow(parent, QStringLiteral("Оформлення :")),
      program_(program),
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
  program_.AddObserver(this);
}

AppearanceWindow::~AppearanceWindow() {
  program_.RemoveObserver(this);
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
  const std::pair<int, const char*> boxes[] = {
      {1, "Вісі"},          {2, "Поверх графіку"},  {3, "Межі"},
      {4, "Назви змінних"}, {5, "Одиниці на осях"}, {7, "Очищати фон"},
      {6, "Сітка"}};
  for (const auto& [number, caption] : boxes) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), look);
    checks_[static_cast<std::size_t>(number - 1)] = box;
    v->addWidget(box);
    connect(box, &QCheckBox::toggled, this, [this] { Store(); });
  }
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
  const char* rowCaptions[2] = {"Вісі :", "Сітка :"};
  for (int i = 0; i < 2; ++i) {
    g->addWidget(new QLabel(QString::fromUtf8(rowCaptions[i]), lines), i + 1, 0);
    auto* combo = new QComboBox(lines);
    combo->addItems(lineStyles);
    combos_[static_cast<std::size_t>(i)] = combo;
    g->addWidget(combo, i + 1, 1);
    auto* spin = new QSpinBox(lines);
    spin->setRange(1, 20);
    spins_[static_cast<std::size_t>(i)] = spin;
    g->addWidget(spin, i + 1, 2);
    connect(combo, &QComboBox::currentIndexChanged, this, [this] { Store(); });
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
  combos_[2] = new QComboBox(shape);
  combos_[2]->addItems(
      {QStringLiteral("точками"), QStringLiteral("лініями"), QStringLiteral("полігонами")});
  h->addWidget(combos_[2]);
  grid->addWidget(shape, 0, 0);

  auto* motion = Group(page, "Рухи", nullptr);
  auto* g = new QGridLayout(motion);
  g->addWidget(new QLabel(QStringLiteral("Тип руху :"), motion), 0, 0);
  combos_[3] = new QComboBox(motion);
  combos_[3]->addItems({QStringLiteral("обертання"), QStringLiteral("переміщення")});
  g->addWidget(combos_[3], 0, 1, 1, 3);
  g->addWidget(new QLabel(QStringLiteral("Чутливість миші :"), motion), 1, 0, 1, 4);
  const std::pair<int, const char*> sensitivities[] = {{5, "X :"},  {4, "Y :"},  {3, "Z :"},
                                                       {6, "rX :"}, {7, "rY :"}, {8, "rZ :"}};
  int i = 0;
  for (const auto& [number, caption] : sensitivities) {
    auto* spin = new QSpinBox(motion);
    spin->setRange(-10000, 10000);
    spins_[static_cast<std::size_t>(number - 1)] = spin;
    g->addWidget(new QLabel(QString::fromUtf8(caption), motion), 2 + i / 3, (i % 3) * 2);
    g->addWidget(spin, 2 + i / 3, (i % 3) * 2 + 1);
    connect(spin, &QSpinBox::valueChanged, this, [this] { SensitivityChanged(); });
    ++i;
  }
  grid->addWidget(motion, 1, 0, 1, 2);
  for (int c = 2; c < 4; ++c) {
    connect(combos_[static_cast<std::size_t>(c)], &QComboBox::currentIndexChanged, this,
            [this] { Store(); });
  }
  // The lists' own handlers: the drawing mode and the motion take effect at once.
  connect(combos_[2], &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!showing_) program_.ThreeD().SetDrawMode(index);
  });
  connect(combos_[3], &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!showing_) program_.ThreeD().SetMotionType(index);
  });

  auto* look = Group(page, "Оформлення", nullptr);
  auto* v = new QVBoxLayout(look);
  const std::pair<int, const char*> boxes[] = {
      {8, "Очищати фон"}, {9, "Вісі координат"}, {10, "X,Y,Z  і.т.н."}};
  for (const auto& [number, caption] : boxes) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), look);
    checks_[static_cast<std::size_t>(number - 1)] = box;
    v->addWidget(box);
    connect(box, &QCheckBox::toggled, this, [this] { Store(); });
  }
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

void AppearanceWindow::ShowPage(bool threeD) {
  pages_->setCurrentIndex(threeD ? 1 : 0);
  pageButtons_[threeD ? 1 : 0]->setChecked(true);
}

bool AppearanceWindow::ShowsPage3D() const {
  return pages_->currentIndex() == 1;
}

void AppearanceWindow::ChangeColour(int shape) {
  AppearanceSettings a = program_.Doc().Appearance;
  const auto chosen = dialogs_.ChooseColour(this, ShapeColour(a, shape));
  if (!chosen) return;
  ShapeColour(a, shape) = *chosen;
  // The next label font starts from the axes colour.
  if (shape == 3) a.Font.Color = *chosen;
  program_.SetAppearance(a);
  ShowDocument();
}

void AppearanceWindow::ChangeFont() {
  AppearanceSettings a = program_.Doc().Appearance;
  const auto chosen = dialogs_.ChooseFont(this, a.Font);
  if (!chosen) return;
  a.Font = *chosen;
  program_.SetAppearance(a);
  program_.ApplyLabelFont();
  ShowDocument();
}

void AppearanceWindow::SensitivityChanged() {
  if (showing_) return;
  // A zero factor would freeze that axis of the mouse; it becomes 1.
  for (int n = 3; n <= 8; ++n) {
    if (Spin(n)->value() == 0) Spin(n)->setValue(1);
  }
  Store();
}

void AppearanceWindow::Store() {
  if (showing_) return;
  AppearanceSettings a = program_.Doc().Appearance;
  a.ShowAxes = Check(1)->isChecked();
  a.AxesOnTop = Check(2)->isChecked();
  a.ShowBounds = Check(3)->isChecked();
  a.ShowVariableNames = Check(4)->isChecked();
  a.ShowUnits = Check(5)->isChecked();
  a.ShowGrid = Check(6)->isChecked();
  a.ClearBackground = Check(7)->isChecked();
  a.Clear3D = Check(8)->isChecked();
  a.Axes3D = Check(9)->isChecked();
  a.AxisLetters3D = Check(10)->isChecked();
  a.AxesLineStyle = Combo(1)->currentIndex();
  a.GridLineStyle = Combo(2)->currentIndex();
  a.DrawMode3D = Combo(3)->currentIndex();
  a.MotionType = Combo(4)->currentIndex();
  a.AxesLineWidth = Spin(1)->value();
  a.GridLineWidth = Spin(2)->value();
  a.SensitivityZ = Spin(3)->value();
  a.SensitivityY = Spin(4)->value();
  a.SensitivityX = Spin(5)->value();
  a.SensitivityRX = Spin(6)->value();
  a.SensitivityRY = Spin(7)->value();
  a.SensitivityRZ = Spin(8)->value();
  program_.SetAppearance(a);
}

void AppearanceWindow::ShowDocument() {
  showing_ = true;
  const AppearanceSettings& a = program_.Doc().Appearance;
  const bool flags[10] = {a.ShowAxes,  a.AxesOnTop,    a.ShowBounds,      a.ShowVariableNames,
                          a.ShowUnits, a.ShowGrid,     a.ClearBackground, a.Clear3D,
                          a.Axes3D,    a.AxisLetters3D};
  for (int n = 1; n <= 10; ++n) Check(n)->setChecked(flags[n - 1]);
  const int lists[4] = {a.AxesLineStyle, a.GridLineStyle, a.DrawMode3D, a.MotionType};
  for (int n = 1; n <= 4; ++n) Combo(n)->setCurrentIndex(lists[n - 1]);
  const int values[8] = {a.AxesLineWidth, a.GridLineWidth, a.SensitivityZ,  a.SensitivityY,
                         a.SensitivityX,  a.SensitivityRX, a.SensitivityRY, a.SensitivityRZ};
  for (int n = 1; n <= 8; ++n) Spin(n)->setValue(values[n - 1]);
  Shape(1)->SetColour(a.BackgroundColor);
  Shape(2)->SetColour(a.MainColor3D);
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
