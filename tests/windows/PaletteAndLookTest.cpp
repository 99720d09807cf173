// The palette window, the appearance window and the colour scale.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "WindowsTestSupport.h"
#include "app/Program2D.h"
#include "app/Program3D.h"
#include "windows/AppearanceWindow.h"
#include "windows/ColourScaleWindow.h"
#include "windows/PaletteWindow.h"
#include "windows/ParamsWindow.h"

namespace lw::test {
namespace {

void ClickGrid(PaletteGrid* grid, QPoint at) {
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), grid->mapToGlobal(QPointF(at)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(grid, &release);
}

TEST(PaletteWindowTest, ClickAndNumberSelectTheEntry) {
  ProgramFixture f;
  PaletteWindow* w = f.Windows().Palette;
  ClickGrid(w->Grid(), QPoint(200, 40));
  EXPECT_EQ(w->SelectedEntry(), 44);
  EXPECT_EQ(w->Selected()->CurrentColour(), f.State().Pal().At(44));
  w->Number()->setValue(300);
  EXPECT_EQ(w->SelectedEntry(), 44);
  w->Number()->setValue(5);
  EXPECT_EQ(w->Selected()->CurrentColour(), f.State().Pal().At(5));
}

TEST(PaletteWindowTest, ChangeFillRandomiseAndCopy) {
  ProgramFixture f;
  PaletteWindow* w = f.Windows().Palette;
  w->Number()->setValue(3);
  f.answers.colours.push_back(Colour{0x102030});
  w->Button("Змінити")->click();
  EXPECT_EQ(f.State().Pal().At(3), 0x102030u);
  w->Count()->setValue(1);
  const Colour first = f.State().Pal().At(0);
  w->Button("Залити")->click();
  for (int i = 0; i < 256; ++i) ASSERT_EQ(f.State().Pal().At(i), first);
  EXPECT_NE(f.State().ThreeD().Pal(), f.State().Pal());
  w->Button("Скопіювати у 3d пал.")->click();
  EXPECT_EQ(f.State().ThreeD().Pal(), f.State().Pal());
  w->Button("Рандомізувати")->click();
  EXPECT_NE(f.State().ThreeD().Pal(), f.State().Pal());
  EXPECT_EQ(w->Selected()->CurrentColour(), f.State().Pal().At(3));
}

TEST(PaletteWindowTest, SaveAndLoadWithTheirStatusTexts) {
  ProgramFixture f;
  PaletteWindow* w = f.Windows().Palette;
  const Palette saved = f.State().Pal();
  const QString path = QString::fromStdString(f.Path("p.plt"));
  f.answers.files.push_back(path);
  w->Button("Зберегти")->click();
  EXPECT_EQ(f.answers.titles.back(), "Збереження Палітри...");
  EXPECT_EQ(f.State().Status(), "Збереження Палітри - " + path.toStdString() + " - Окей");
  w->Button("Рандомізувати")->click();
  f.answers.files.push_back(path);
  w->Button("Завантажити")->click();
  EXPECT_EQ(f.answers.titles.back(), "Завантаження Палітри...");
  EXPECT_EQ(f.State().Pal(), saved);
  EXPECT_EQ(f.State().Status(), "Завантаження Палітри - " + path.toStdString() + " - Окей");
  f.answers.files.push_back(QString::fromStdString(f.Path("missing.plt")));
  w->Button("Завантажити")->click();
  EXPECT_EQ(f.State().Status(), "Помилка завантаження файлу Палітри! - " + f.Path("missing.plt"));
  EXPECT_EQ(f.State().Pal(), saved);
}

TEST(AppearanceWindowTest, CancellingAColourDialogChangesNothing) {
  ProgramFixture f;
  AppearanceWindow* w = f.Windows().Appearance;
  const AppearanceSettings before = f.State().Doc().Appearance;
  w->ShapeButton(1)->click();  // no answer queued: cancelled
  EXPECT_EQ(f.answers.colourAsks, 1);
  EXPECT_EQ(f.State().Doc().Appearance, before);
  f.answers.colours.push_back(Colour{0x0000FF});
  w->ShapeButton(3)->click();
  EXPECT_EQ(f.State().Doc().Appearance.AxesColor, 0x0000FFu);
  EXPECT_EQ(w->Shape(3)->CurrentColour(), 0x0000FFu);
  EXPECT_EQ(f.State().Doc().Appearance.Font.Color, 0x0000FFu);
}

TEST(AppearanceWindowTest, ControlsWriteTheSettings) {
  ProgramFixture f;
  AppearanceWindow* w = f.Windows().Appearance;
  w->Check(&AppearanceSettings::ShowGrid)->setChecked(true);
  EXPECT_TRUE(f.State().Doc().Appearance.ShowGrid);
  w->Check(&AppearanceSettings::ClearBackground)->setChecked(false);
  EXPECT_FALSE(f.State().Doc().Appearance.ClearBackground);
  w->Combo(&AppearanceSettings::AxesLineStyle)->setCurrentIndex(3);
  EXPECT_EQ(f.State().Doc().Appearance.AxesLineStyle, DashDot);
  w->Spin(&AppearanceSettings::GridLineWidth)->setValue(5);
  EXPECT_EQ(f.State().Doc().Appearance.GridLineWidth, 5);
  w->Spin(&AppearanceSettings::SensitivityX)->setValue(0);  // a zero sensitivity becomes 1 at once
  EXPECT_EQ(w->Spin(&AppearanceSettings::SensitivityX)->value(), 1);
  EXPECT_EQ(f.State().Doc().Appearance.SensitivityX, 1);
}

TEST(AppearanceWindowTest, TheChosenFontShowsItsNameAndIsKept) {
  ProgramFixture f;
  AppearanceWindow* w = f.Windows().Appearance;
  EXPECT_EQ(w->FontSample()->text(), "MS Sans Serif");
  LabelFont chosen;
  chosen.FaceName = "DejaVu Serif";
  chosen.Height = -16;
  chosen.Bold = true;
  f.answers.fonts.push_back(chosen);
  w->FontButton()->click();
  EXPECT_EQ(w->FontSample()->text(), "DejaVu Serif");
  EXPECT_EQ(f.State().Doc().Appearance.Font, chosen);
}

TEST(ColourScale, OpensWithTheGradientAndScrollsByTheStep) {
  ProgramFixture f;
  f.Windows().Params->Field(ParamField::Gradient)->setText("0.5");
  f.Windows().Params->Field(ParamField::Gradient)->textEdited("0.5");
  f.Windows().Params->ScaleButton()->click();
  ColourScaleWindow* w = f.Windows().ColourScale;
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->Ramp()->State.LabelSpacing, 40);
  EXPECT_EQ(w->Ramp()->State.LabelStep, 20);
  EXPECT_EQ(w->Ramp()->State.RowOffset, -164);
  w->Step()->setValue(5);
  w->DownButton()->click();
  EXPECT_EQ(w->Ramp()->State.RowOffset, -159);
  w->UpButton()->click();
  w->UpButton()->click();
  EXPECT_EQ(w->Ramp()->State.RowOffset, -169);
}

TEST(AppearanceWindowTest, TheChosenFontReachesThePictureAtOnce) {
  ProgramFixture f;
  const int before = f.State().TwoD().Picture().TextWidth("100");
  LabelFont big;
  big.Height = -40;
  f.answers.fonts.push_back(big);
  f.Windows().Appearance->FontButton()->click();
  EXPECT_GT(f.State().TwoD().Picture().TextWidth("100"), before * 2);
}

TEST(ColourScale, ANegativeGradientRunsTheLabelsTheOtherWay) {
  ProgramFixture f;
  f.Windows().Params->Field(ParamField::Gradient)->setText("-0.1");
  f.Windows().Params->Field(ParamField::Gradient)->textEdited("-0.1");
  f.Windows().Params->ScaleButton()->click();
  ColourScaleWindow* w = f.Windows().ColourScale;
  ASSERT_TRUE(w->isVisible());
  EXPECT_GT(w->Ramp()->State.LabelSpacing, 0);
  EXPECT_EQ(w->Ramp()->State.LabelStep, -20);
  const QImage shown = w->Ramp()->grab().toImage();  // paints without hanging
  EXPECT_EQ(shown.size(), QSize(129, 329));
}

TEST(ColourScale, AZeroGradientIsReportedAndNothingOpens) {
  ProgramFixture f;
  f.Windows().Params->Field(ParamField::Gradient)->setText("0*P");
  f.Windows().Params->Field(ParamField::Gradient)->textEdited("0*P");
  f.Windows().Params->ScaleButton()->click();
  EXPECT_FALSE(f.Windows().ColourScale->isVisible());
  EXPECT_EQ(f.State().Status(), "Помилка вводу градіенту кольорів");
}

}  // namespace
}  // namespace lw::test
