// The 2D side of the program object between builds: the colour scale's step, the
// start-up origin and the temporary grid.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "CaseNames.h"
#include "TempDir.h"
#include "app/Program.h"

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
  program.SetField(ParamField::Gradient, GetParam().field);
  program.SetStatus("-");
  const std::optional<double> step = program.ScaleGradient();
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
  program.SetField(ParamField::Gradient, "0.5");
  program.BuildAll2D();
  program.Work().Wait();
  program.SetField(ParamField::Gradient, "0");
  EXPECT_EQ(program.ScaleGradient(), std::optional<double>(0.5));
}

TEST(CentreOrigin, PutsTheOriginInTheMiddleRoundedDown) {
  testing::TempDir dir;
  Program program(dir.File(""));
  for (const auto& [w, h] : {std::pair{539, 468}, std::pair{801, 601}, std::pair{1, 1}}) {
    program.SetViewSize(w, h);
    program.CentreOrigin();
    EXPECT_EQ(program.View().OriginX, w / 2) << w;
    EXPECT_EQ(program.View().OriginY, h / 2) << h;
    EXPECT_EQ(program.View().Width, w);
    EXPECT_EQ(program.View().Height, h);
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
  program.BuildAll2D();  // a valid mapping for the grid
  program.Work().Wait();
  Notes notes;
  program.AddObserver(&notes);
  PlotPicture& picture = program.Picture();
  const QImage before = picture.ToImage(picture.Width(), picture.Height());
  program.ToggleTemporaryGrid();
  EXPECT_TRUE(program.TemporaryGridOn());
  EXPECT_NE(picture.ToImage(picture.Width(), picture.Height()), before);
  program.ToggleTemporaryGrid();
  EXPECT_FALSE(program.TemporaryGridOn());
  EXPECT_EQ(picture.ToImage(picture.Width(), picture.Height()), before);
  EXPECT_EQ(notes.options, 2);
  EXPECT_EQ(notes.pictures, 2);
  program.RemoveObserver(&notes);
}

}  // namespace
}  // namespace lw
