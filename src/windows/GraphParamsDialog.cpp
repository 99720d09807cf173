#include "windows/GraphParamsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "windows/Dialogs.h"
#include "windows/MessageWindow.h"

namespace lw {

namespace {
// Inside sizes of the two layouts, with room for every group's frame and caption.
constexpr int designWidth = 287;
constexpr int height2D = 198;
constexpr int height3D = 162;
constexpr int margin = 4;
constexpr int colourWidth = 138;
constexpr int colourHeight = 52;
constexpr int designButtonWidth = 68;
constexpr int buttonHeight = 28;
// Room between a button's caption and its edges.
constexpr int buttonPadding = 24;

// Wide enough for both captions in the dialog's font.
int ButtonWidth(const QFontMetrics& metrics) {
  int width = designButtonWidth;
  for (const QString& caption : {QStringLiteral("Окей"), QStringLiteral("Зачинити")}) {
    width = std::max(width, metrics.horizontalAdvance(caption) + buttonPadding);
  }
  return width;
}
}  // namespace

GraphParamsDialog::GraphParamsDialog(QWidget* parent, Dialogs& dialogs)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      dialogs_(dialogs),
      buttonWidth_(ButtonWidth(fontMetrics())),
      width_(std::max(designWidth, colourWidth + 2 * buttonWidth_ + 4 * margin)) {
  setWindowTitle(QStringLiteral("Параметри графіка :"));
  setModal(true);
  auto* label = new QLabel(QStringLiteral("Основний вираз :"), this);
  label->setGeometry(4, 2, 200, 16);
  formula_ = new QLineEdit(this);
  formula_->setGeometry(2, 19, width_ - 4, 22);

  group2D_ = new QGroupBox(QStringLiteral("Побудова"), this);
  SetHint(group2D_, QStringLiteral("Тип графіку"));
  group2D_->setGeometry(2, 44, width_ - 4, 94);
  auto* kindLabel = new QLabel(QStringLiteral("Тип виразу :"), group2D_);
  kindLabel->setGeometry(8, 20, 80, 20);
  kind_ = new QComboBox(group2D_);
  kind_->addItems({QStringLiteral("Функція"), QStringLiteral("Відношення"),
                   QStringLiteral("Гамма кольорів"), QStringLiteral("Параметрична крива"),
                   QStringLiteral("Полярна крива")});
  kind_->setGeometry(92, 18, width_ - 104, 22);
  interpolation_ = new QCheckBox(QStringLiteral("Інтерполяція"), group2D_);
  interpolation_->setGeometry(8, 44, 150, 20);
  interpolation_->setChecked(true);
  // The curves are written as several formulas; the form of the text, beside them.
  formHint_ = new QLabel(group2D_);
  formHint_->setGeometry(160, 44, width_ - 172, 20);
  auto* relationLabel = new QLabel(QStringLiteral("Тип відношення :"), group2D_);
  relationLabel->setGeometry(8, 68, 104, 20);
  auto* expr = new QLabel(QStringLiteral("Expr"), group2D_);
  expr->setGeometry(114, 68, 36, 20);
  relation_ = new QComboBox(group2D_);
  relation_->addItems({QStringLiteral("="), QStringLiteral(">"), QStringLiteral("<"),
                       QStringLiteral(">="), QStringLiteral("<=")});
  relation_->setGeometry(152, 66, 56, 22);
  auto* zero = new QLabel(QStringLiteral("0.0"), group2D_);
  zero->setGeometry(214, 68, 30, 20);

  group3D_ = new QGroupBox(QStringLiteral("Побудова"), this);
  SetHint(group3D_, QStringLiteral("Тип графіку"));
  group3D_->setGeometry(2, 44, width_ - 4, 58);
  auto* formLabel = new QLabel(QStringLiteral("Тип виразу :"), group3D_);
  formLabel->setGeometry(8, 24, 80, 20);
  form_ = new QComboBox(group3D_);
  form_->addItems({QStringLiteral("Z = F ( X,Y )"), QStringLiteral("Y = F ( X,Z )"),
                   QStringLiteral("X = F ( Y,Z )"), QStringLiteral("Параметрична поверхня")});
  form_->setGeometry(92, 22, width_ - 104, 22);

  colourGroup_ = new QGroupBox(QStringLiteral("Колір графіка"), this);
  SetHint(colourGroup_, QStringLiteral("Колір графіку"));
  swatch_ = new Swatch(colourGroup_);
  swatch_->setGeometry(8, 22, 40, 20);
  swatch_->SetColour(0xFF0000);  // blue
  colourButton_ = new QPushButton(QStringLiteral("Змінити"), colourGroup_);
  colourButton_->setGeometry(54, 19, 76, 26);

  ok_ = new QPushButton(QStringLiteral("&Окей"), this);
  SetHint(ok_, QStringLiteral("Прийняти зміни"));
  close_ = new QPushButton(QStringLiteral("&Зачинити"), this);
  SetHint(close_, QStringLiteral("Зачинити вікно"));
  ok_->setDefault(true);

  connect(kind_, &QComboBox::currentIndexChanged, this, [this] { ShowTextForm(); });
  connect(form_, &QComboBox::currentIndexChanged, this, [this] { ShowTextForm(); });
  connect(colourButton_, &QPushButton::clicked, this, [this] { ChangeColour(); });
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  PrepareDialog2D();
}

void GraphParamsDialog::ShowRefusal(std::string_view why) {
  if (messages_ != nullptr) {
    messages_->ShowMessageBox(windowTitle(), QString::fromUtf8(why.data(), qsizetype(why.size())));
  }
}

QString GraphParamsDialog::TextForm() const {
  if (threeD_) {
    return form_->currentIndex() == ParametricSurface ? QStringLiteral("X;Y;Z;U0;U1;V0;V1")
                                                      : QString();
  }
  switch (kind_->currentIndex()) {
    case ParametricCurve:
      return QStringLiteral("X;Y;T0;T1");
    case PolarCurve:
      return QStringLiteral("R;T0;T1");
    default:
      return QString();
  }
}

void GraphParamsDialog::ShowTextForm() {
  const QString form = TextForm();
  formHint_->setText(threeD_ ? QString() : form);
  formula_->setPlaceholderText(form);
  SetHint(formula_, form.isEmpty() ? QString() : QStringLiteral("Вираз виду ") + form);
}

void GraphParamsDialog::PrepareDialog2D() {
  setFixedSize(width_, height2D);
  threeD_ = false;
  group2D_->show();
  group3D_->hide();
  ShowTextForm();
  colourGroup_->setGeometry(2, 140, colourWidth, colourHeight);
  const int top = 140 + colourHeight - buttonHeight - 8;
  ok_->setGeometry(width_ - 2 * buttonWidth_ - 2 * margin, top, buttonWidth_, buttonHeight);
  close_->setGeometry(width_ - buttonWidth_ - margin, top, buttonWidth_, buttonHeight);
}

void GraphParamsDialog::PrepareDialog3D() {
  setFixedSize(width_, height3D);
  threeD_ = true;
  group2D_->hide();
  group3D_->show();
  ShowTextForm();
  colourGroup_->setGeometry(width_ - colourWidth - margin, 104, colourWidth, colourHeight);
  const int top = 104 + colourHeight - buttonHeight - 8;
  ok_->setGeometry(2, top, buttonWidth_, buttonHeight);
  close_->setGeometry(2 + buttonWidth_ + margin, top, buttonWidth_, buttonHeight);
}

void GraphParamsDialog::Load2D(const QString& text, const PlotP& entry) {
  formula_->setText(text);
  kind_->setCurrentIndex(entry.Kind <= PolarCurve ? entry.Kind : 0);
  relation_->setCurrentIndex(entry.Relation <= 4 ? entry.Relation : 0);
  interpolation_->setChecked(entry.Interpolated != 0);
  swatch_->SetColour(entry.Color);
}

void GraphParamsDialog::Load3D(const QString& text, const PlotP3d& entry) {
  formula_->setText(text);
  const std::uint32_t form = entry.Form & 0xFF;
  form_->setCurrentIndex(form <= ParametricSurface ? static_cast<int>(form) : 0);
  swatch_->SetColour(entry.Color);
}

PlotP GraphParamsDialog::Entry2D() const {
  PlotP entry;
  entry.Color = swatch_->CurrentColour();
  entry.Kind = static_cast<std::uint8_t>(kind_->currentIndex());
  entry.Interpolated = interpolation_->isChecked() ? 1 : 0;
  entry.Relation = static_cast<std::uint8_t>(relation_->currentIndex());
  return entry;
}

PlotP3d GraphParamsDialog::Entry3D() const {
  PlotP3d entry;
  entry.Color = swatch_->CurrentColour();
  entry.Form = static_cast<std::uint32_t>(form_->currentIndex());
  return entry;
}

QString GraphParamsDialog::FormulaText() const {
  return formula_->text();
}

bool GraphParamsDialog::Run() {
  formula_->setFocus();
  return exec() == QDialog::Accepted;
}

void GraphParamsDialog::ChangeColour() {
  if (auto chosen = dialogs_.ChooseColour(this, swatch_->CurrentColour())) {
    swatch_->SetColour(*chosen);
  }
}

}  // namespace lw
