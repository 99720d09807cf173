#include "windows/ParamsWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "windows/GraphListPanel.h"
#include "windows/QtConvert.h"

namespace lw {

namespace {

constexpr Colour scaleColour = 0x82FDDB;     // scales and steps
constexpr Colour boundsColour = 0xFCD003;    // interval bounds
constexpr Colour variableColour = 0xBEB5CA;  // variable names
constexpr Colour gradientColour = 0xA4C4DD;
constexpr Colour positionColour = 0xF99BC6;
constexpr Colour memoColour = 0xE2FCFE;
constexpr Colour systemLight = 0xFFFFFFFF;  // marks the system 3D-light colour

QGroupBox* Group(QWidget* parent, const char* caption, const char* hint) {
  auto* box = new QGroupBox(QString::fromUtf8(caption), parent);
  SetHint(box, QString::fromUtf8(hint));
  return box;
}

void Paint(QWidget* control, Colour colour) {
  QPalette pal = control->palette();
  pal.setColor(QPalette::Base,
               colour == systemLight ? pal.color(QPalette::Light) : ToQColor(colour));
  control->setPalette(pal);
}

std::vector<std::string> Lines(const QPlainTextEdit* memo) {
  std::vector<std::string> lines;
  const QString text = memo->toPlainText();
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split('\n')) lines.push_back(S(line));
  return lines;
}

QString Joined(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list.append(Q(line));
  return list.join('\n');
}

constexpr const char* boundsHint = "Межі у яких буде побудовано графік";
constexpr const char* variablesHint = "Назви змінних використаних замість традиційних X та Y";
constexpr const char* constantsHint = "Константи що будуть використані при побудові графіків";

}  // namespace

ParamsWindow::ParamsWindow(QWidget* parent, DocumentEditor& edits, ProgramObservers& observers,
                           const Palette& palette)
    : SecondaryWindow(parent, QStringLiteral("Побудова :")),
      edits_(edits),
      observers_(observers),
      palette_(palette) {
  contents_ = MakeScrollingContents(this);
  auto* layout = new QVBoxLayout(contents_);
  auto* tabs = new QHBoxLayout;
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < 2; ++i) {
    pageButtons_[static_cast<std::size_t>(i)] =
        new QPushButton(i == 0 ? QStringLiteral("2D") : QStringLiteral("3D"), this);
    pageButtons_[static_cast<std::size_t>(i)]->setCheckable(true);
    group->addButton(pageButtons_[static_cast<std::size_t>(i)], i);
    tabs->addWidget(pageButtons_[static_cast<std::size_t>(i)]);
  }
  tabs->addStretch(1);
  layout->addLayout(tabs);
  pages_ = new QStackedWidget(this);
  pages_->addWidget(MakePage2D());
  pages_->addWidget(MakePage3D());
  layout->addWidget(pages_);
  connect(group, &QButtonGroup::idClicked, this, [this](int id) { ShowPage(id == 1); });
  ShowPage(false);
  ShowDocument();
  observers_.Add(this);
}

ParamsWindow::~ParamsWindow() {
  observers_.Remove(this);
}

void ParamsWindow::showEvent(QShowEvent* event) {
  FitOnScreen(this, contents_);
  SecondaryWindow::showEvent(event);
}

void ParamsWindow::AddField(QGridLayout* grid, int row, ParamField field, const char* label,
                            Colour colour) {
  // The object name keeps the field's number, as in the settings file.
  const int number = static_cast<int>(field);
  auto* edit = new QLineEdit(grid->parentWidget());
  edit->setObjectName(QStringLiteral("Edit%1").arg(number));
  Paint(edit, colour);
  grid->addWidget(new QLabel(QString::fromUtf8(label), grid->parentWidget()), row, 0);
  grid->addWidget(edit, row, 1);
  fields_[static_cast<std::size_t>(number - 1)] = edit;
  connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
    if (!showing_) edits_.SetField(field, S(text));
  });
}

QWidget* ParamsWindow::MakePage2D() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);

  auto* scale = Group(page, "Маштаб",
                      "Маштаб графіку по осям OX і OY  (Не діє якщо встановлений Автомаштаб).");
  auto* g = new QGridLayout(scale);
  AddField(g, 0, ParamField::ScaleX, "Вісь  Х :", scaleColour);
  AddField(g, 1, ParamField::ScaleY, "Вісь  Y :", scaleColour);
  grid->addWidget(scale, 0, 0);

  auto* bounds = Group(page, "Межі", boundsHint);
  g = new QGridLayout(bounds);
  AddField(g, 0, ParamField::XStart, "Початковий  X :", boundsColour);
  AddField(g, 1, ParamField::XEnd, "Кінцевий  X :", boundsColour);
  AddField(g, 2, ParamField::YStart, "Початковий Y :", boundsColour);
  AddField(g, 3, ParamField::YEnd, "Кінцевий  Y :", boundsColour);
  grid->addWidget(bounds, 1, 0, 2, 1);

  auto* variables = Group(page, "Змінні", variablesHint);
  g = new QGridLayout(variables);
  AddField(g, 0, ParamField::VarX, "Використати як  X  :", variableColour);
  AddField(g, 1, ParamField::VarY, "Використати як  Y :", variableColour);
  grid->addWidget(variables, 0, 1);

  auto* gamma = Group(page, "Гамма кольорів", "Параметри Гамми кольорів");
  g = new QGridLayout(gamma);
  AddField(g, 0, ParamField::Gradient, "Градіент :", gradientColour);
  scaleButton_ = new QPushButton(QStringLiteral("Шкала"), gamma);
  g->addWidget(scaleButton_, 0, 2);
  connect(scaleButton_, &QPushButton::clicked, this, [this] {
    if (OnScale) OnScale();
  });
  grid->addWidget(gamma, 1, 1);

  auto* extra = Group(page, "Додатково",
                      "Додаткові параметри (Автомаштаб ,фіксований центр координат і.т.н)");
  g = new QGridLayout(extra);
  AddField(g, 0, ParamField::Proxima, "Апроксимація :", systemLight);
  const char* flagCaptions[3] = {"Центрування", "Автомаштаб", "XOR"};
  for (int i = 0; i < 3; ++i) {
    auto* box = new QCheckBox(QString::fromUtf8(flagCaptions[i]), extra);
    flags_[static_cast<std::size_t>(i)] = box;
    g->addWidget(box, 1 + i, 0, 1, 2);
    connect(box, &QCheckBox::toggled, this, [this] {
      if (showing_) return;
      edits_.SetBuildFlags(flags_[0]->isChecked(), flags_[1]->isChecked(), flags_[2]->isChecked());
    });
  }
  grid->addWidget(extra, 2, 1);

  AddPageFoot(page, grid, false);
  return page;
}

QWidget* ParamsWindow::MakePage3D() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);

  auto* bounds = Group(page, "Межі", boundsHint);
  auto* g = new QGridLayout(bounds);
  AddField(g, 0, ParamField::XStart3D, "Поч.  X :", boundsColour);
  AddField(g, 1, ParamField::XEnd3D, "Кін.  X :", boundsColour);
  AddField(g, 2, ParamField::YStart3D, "Поч. Y :", boundsColour);
  AddField(g, 3, ParamField::YEnd3D, "Кін. Y :", boundsColour);
  AddField(g, 4, ParamField::ZStart3D, "Поч. Z :", boundsColour);
  AddField(g, 5, ParamField::ZEnd3D, "Кін. Z :", boundsColour);
  grid->addWidget(bounds, 0, 0, 2, 1);

  auto* variables = Group(page, "Змінні", variablesHint);
  g = new QGridLayout(variables);
  AddField(g, 0, ParamField::VarX3D, "Як  X  :", variableColour);
  AddField(g, 1, ParamField::VarY3D, "Як  Y :", variableColour);
  AddField(g, 2, ParamField::VarZ3D, "Як  Z :", variableColour);
  grid->addWidget(variables, 0, 1);

  auto* steps = Group(page, "Крок", "Крок по вісям X,Y");
  g = new QGridLayout(steps);
  AddField(g, 0, ParamField::StepX, "По вісі  Х :", scaleColour);
  AddField(g, 1, ParamField::StepY, "По вісі  Y :", scaleColour);
  AddField(g, 2, ParamField::StepZ, "По вісі  Z :", scaleColour);
  grid->addWidget(steps, 1, 1);

  auto* position = Group(page, "Початкове положення", "Геометричний центр фігури");
  g = new QGridLayout(position);
  AddField(g, 0, ParamField::PosX, "X  :", positionColour);
  AddField(g, 1, ParamField::PosY, "Y :", positionColour);
  AddField(g, 2, ParamField::PosZ, "Z :", positionColour);
  grid->addWidget(position, 2, 0, 1, 2);

  AddPageFoot(page, grid, true);
  return page;
}

// Both pages end with their constants, their graph list and the build buttons.
void ParamsWindow::AddPageFoot(QWidget* page, QGridLayout* grid, bool threeD) {
  auto* constants = Group(page, "Константи", constantsHint);
  auto* v = new QVBoxLayout(constants);
  QPlainTextEdit* memo = new QPlainTextEdit(constants);
  (threeD ? memo2_ : memo1_) = memo;
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setFixedHeight(70);
  Paint(memo, memoColour);
  v->addWidget(memo);
  connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, threeD] {
    if (!showing_) edits_.SetConstants(threeD, Lines(memo));
  });
  grid->addWidget(constants, 3, 0, 1, 2);

  auto* graphs = new GraphListPanel(page, edits_, palette_, threeD);
  (threeD ? graphs3D_ : graphs2D_) = graphs;
  grid->addWidget(graphs, 4, 0, 1, 2);
  grid->setRowStretch(4, 1);
  grid->addWidget(MakeBuildRow(threeD), 5, 0, 1, 2);
}

QWidget* ParamsWindow::MakeBuildRow(bool threeD) {
  auto* row = new QWidget(this);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(QStringLiteral("Побудова :"), row);
  QFont f = label->font();
  f.setBold(true);
  if (f.pixelSize() > 0) {
    f.setPixelSize(f.pixelSize() * 4 / 3);
  } else {
    f.setPointSizeF(f.pointSizeF() * 4 / 3);
  }
  label->setFont(f);
  const std::size_t i = threeD ? 1 : 0;
  buildAll_[i] = new QPushButton(QStringLiteral("&Всі"), row);
  SetHint(buildAll_[i], QStringLiteral("Побудувати всі графіки"));
  buildSelected_[i] = new QPushButton(QStringLiteral("Виділ&ений"), row);
  SetHint(buildSelected_[i], threeD ? QStringLiteral("Побудувати тривимірний графік")
                                    : QStringLiteral("Побудувати виділений графік"));
  auto* close = new QPushButton(QStringLiteral("&Зачинити"), row);
  SetHint(close, QStringLiteral("Зачинити вікно"));
  for (QPushButton* b : {buildAll_[i], buildSelected_[i], close}) b->setMinimumHeight(32);
  h->addWidget(label);
  h->addWidget(buildAll_[i], 1);
  h->addWidget(buildSelected_[i], 1);
  h->addWidget(close, 1);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(buildAll_[i], &QPushButton::clicked, this, [this, threeD] {
    const auto& build = threeD ? OnBuild3D : OnBuild2D;
    if (build) build(false);
  });
  connect(buildSelected_[i], &QPushButton::clicked, this, [this, threeD] {
    const auto& build = threeD ? OnBuild3D : OnBuild2D;
    if (build) build(true);
  });
  return row;
}

void ParamsWindow::SetGraphDialog(GraphParamsDialog* dialog) {
  graphs2D_->SetDialog(dialog);
  graphs3D_->SetDialog(dialog);
}

void ParamsWindow::ShowPage(bool threeD) {
  pages_->setCurrentIndex(threeD ? 1 : 0);
  pageButtons_[threeD ? 1 : 0]->setChecked(true);
}

bool ParamsWindow::ShowsPage3D() const {
  return pages_->currentIndex() == 1;
}

void ParamsWindow::ShowDocument() {
  showing_ = true;
  const BuildParameters& p = edits_.Doc().Params;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const QString text = Q(p.fields[i]);
    if (fields_[i]->text() != text) fields_[i]->setText(text);
  }
  const QString c2 = Joined(p.Constants2D);
  if (memo1_->toPlainText() != c2) memo1_->setPlainText(c2);
  const QString c3 = Joined(p.Constants3D);
  if (memo2_->toPlainText() != c3) memo2_->setPlainText(c3);
  const bool values[3] = {p.Centering, p.AutoScale, p.XorDrawing};
  for (int i = 0; i < 3; ++i) {
    if (flags_[static_cast<std::size_t>(i)]->isChecked() != values[i]) {
      flags_[static_cast<std::size_t>(i)]->setChecked(values[i]);
    }
  }
  showing_ = false;
  graphs2D_->Refresh();
  graphs3D_->Refresh();
}

void ParamsWindow::DocumentChanged() {
  ShowDocument();
}

void ParamsWindow::ParametersChanged() {
  ShowDocument();
}

void ParamsWindow::GraphsChanged() {
  graphs2D_->Refresh();
  graphs3D_->Refresh();
}

}  // namespace lw
