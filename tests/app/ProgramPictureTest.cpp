// The 2D side of the program object between builds: the colour scale's step, the
// start-up origin and the temporary grid.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "CaseNames.h"
#include "TempDir.h"
#include "app/Program.h"
#include "app/Program2D.h"

namespace lw {
namespace {

constexpr const char* kGradientError = "Помилка вводу градіенту кольорів";

struct GradientCase {
  const char* name;
  const char* field;
  std::optional<double> step;  // empty: refused with the gradient's message
};

void PrintTo(const GradientCase& c, std::ostream* out) {
  *out << c.name << " \"" << c.field << '"';
}

class ScaleGradient : public ::testing::TestWithParam<GradientCase> {};

// Before any build the scale reads the field itself and must never get a step it
// would divide by or loop on forever.
TEST_P(ScaleGradient, TakesTheFieldBeforeAnyBuild) {
  testing::TempDir dir;
  Program program(dir.File(""));
  program.Edits().SetField(ParamField::Gradient, GetParam().field);
  program.SetStatus("-");
  const std::optional<double> step = program.TwoD().ScaleGradient();
  ASSERT_EQ(step.has_value(), GetParam().step.has_value());
  if (step) {
    EXPECT_DOUBLE_EQ(*step, *GetParam().step);
  }
  EXPECT_EQ(program.Status(), step ? "-" : kGradientError);
}

INSTANTIATE_TEST_SUITE_P(Fields, ScaleGradient,
                         ::testing::Values(GradientCase{"Default", "0.1", 0.1},
                                           GradientCase{"Negative", "-0.1", -0.1},
                                           GradientCase{"Formula", "2*P", 2 * 3.141592653589793},
                                           GradientCase{"Empty", "", std::nullopt},
                                           GradientCase{"Zero", "0", std::nullopt},
                                           GradientCase{"ZeroTimesP", "0*P", std::nullopt},
                                           GradientCase{"NotANumber", "1E999-1E999", std::nullopt},
                                           GradientCase{"SyntaxError", "(", std::nullopt},
                                           GradientCase{"NoValue", "LN(0)", std::nullopt}),
                         test::CaseName());

TEST(ScaleGradient, AValidatedGradientWinsOverTheFieldAsTyped) {
  testing::TempDir dir;
  Program program(dir.File(""));
  program.Edits().SetField(ParamField::Gradient, "0.5");
  program.TwoD().BuildAll();
  program.Work().Wait();
  program.Edits().SetField(ParamField::Gradient, "0");
  EXPECT_EQ(program.TwoD().ScaleGradient(), std::optional<double>(0.5));
}

TEST(CentreOrigin, PutsTheOriginInTheMiddleRoundedDown) {
  testing::TempDir dir;
  Program program(dir.File(""));
  for (const auto& [w, h] : {std::pair{539, 468}, std::pair{801, 601}, std::pair{1, 1}}) {
    program.TwoD().SetViewSize(w, h);
    program.TwoD().CentreOrigin();
    EXPECT_EQ(program.TwoD().View().OriginX, w / 2) << w;
    EXPECT_EQ(program.TwoD().View().OriginY, h / 2) << h;
    EXPECT_EQ(program.TwoD().View().Width, w);
    EXPECT_EQ(program.TwoD().View().Height, h);
  }
}

struct Notes : ProgramObserver {
  int options = 0, pictures = 0;
  void OptionsChanged() override { ++options; }
  void PictureChanged() override { ++pictures; }
};

TEST(TemporaryGrid, TogglingTwiceRestoresThePictureBitForBit) {
  testing::TempDir dir;
  Program program(dir.File(""));
  program.TwoD().BuildAll();  // a valid mapping for the grid
  program.Work().Wait();
  Notes notes;
  program.Observers().Add(&notes);
  const PlotPicture& picture = program.TwoD().Picture();
  const QImage before = picture.ToImage(picture.Width(), picture.Height());
  program.TwoD().ToggleTemporaryGrid();
  EXPECT_TRUE(program.TwoD().TemporaryGridOn());
  EXPECT_NE(picture.ToImage(picture.Width(), picture.Height()), before);
  program.TwoD().ToggleTemporaryGrid();
  EXPECT_FALSE(program.TwoD().TemporaryGridOn());
  EXPECT_EQ(picture.ToImage(picture.Width(), picture.Height()), before);
  EXPECT_EQ(notes.options, 2);
  EXPECT_EQ(notes.pictures, 2);
  program.Observers().Remove(&notes);
}

}  // namespace
}  // namespace lw
