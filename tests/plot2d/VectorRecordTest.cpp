// The record of shapes the 2D picture keeps beside its pixels: what each drawing
// operation leaves in it, and what each builder leaves.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <functional>
#include <sstream>
#include <string>

#include "CaseNames.h"
#include "Plot2DFixture.h"
#include "plot2d/BuildCommands.h"
#include "plot2d/Builders2D.h"

namespace lw::test {
namespace {

std::string Hex(Colour c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF,
                (c >> 16) & 0xFF);
  return buffer;
}

int OpaquePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) == 255;
  }
  return count;
}

// One line per item, short enough to read in a table.
std::string Describe(const VectorRecord& record) {
  std::ostringstream out;
  for (const RecordItem& item : record.Items()) {
    if (!out.str().empty()) out << " | ";
    if (const auto* s = std::get_if<RecordStroke>(&item)) {
      out << "stroke " << Hex(s->colour) << " w" << s->width << " s" << s->style;
      for (const RecordPoint& p : s->points) out << ' ' << p.x << ',' << p.y;
    } else if (const auto* d = std::get_if<RecordDots>(&item)) {
      out << "dots " << Hex(d->colour);
      for (const RecordPoint& p : d->points) out << ' ' << p.x << ',' << p.y;
    } else if (const auto* r = std::get_if<RecordRect>(&item)) {
      out << "rect " << Hex(r->colour) << ' ' << r->left << ',' << r->top << '-' << r->right << ','
          << r->bottom;
    } else if (const auto* t = std::get_if<RecordText>(&item)) {
      out << "text '" << t->utf8 << "' at " << t->x << ',' << t->top << ' ' << t->font.family << ' '
          << t->font.pixelSize << (t->font.bold ? " bold" : "");
    } else if (const auto* i = std::get_if<RecordImage>(&item)) {
      out << "image " << i->x << ',' << i->y << ' ' << i->pixels.width() << 'x'
          << i->pixels.height() << " opaque=" << OpaquePixels(i->pixels);
    }
  }
  return out.str();
}

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kGreen = 0x00FF00;

struct DrawCase {
  const char* name;
  std::function<void(PlotPicture&)> draw;
  const char* record;
};

class RecordOfDrawing : public ::testing::TestWithParam<DrawCase> {};

TEST_P(RecordOfDrawing, HoldsWhatWasDrawn) {
  PlotPicture picture(60, 40);
  GetParam().draw(picture);
  EXPECT_EQ(Describe(picture.Record()), GetParam().record);
}

void RedLine(PlotPicture& p, int x0, int y0, int x1, int y1) {
  p.SetPen(Pen{kRed, Solid, 1, PenMode::Copy});
  p.MoveTo(x0, y0);
  p.LineTo(x1, y1);
}

const DrawCase kDrawCases[] = {
    {"lines_of_one_pen_join_into_one_stroke",
     [](PlotPicture& p) {
       RedLine(p, 1, 1, 10, 1);
       p.LineTo(10, 8);
     },
     "stroke #ff0000 w1 s0 1,1 10,1 10,8"},
    {"moving_the_pen_starts_a_new_stroke",
     [](PlotPicture& p) {
       RedLine(p, 1, 1, 5, 1);
       p.MoveTo(5, 1);
       p.LineTo(9, 1);
     },
     "stroke #ff0000 w1 s0 1,1 5,1 | stroke #ff0000 w1 s0 5,1 9,1"},
    {"a_new_pen_starts_a_new_stroke",
     [](PlotPicture& p) {
       RedLine(p, 1, 1, 5, 1);
       p.SetPen(Pen{kBlue, Solid, 1, PenMode::Copy});
       p.LineTo(9, 1);
     },
     "stroke #ff0000 w1 s0 1,1 5,1 | stroke #0000ff w1 s0 5,1 9,1"},
    {"a_line_of_no_length_draws_and_records_nothing",
     [](PlotPicture& p) { RedLine(p, 3, 3, 3, 3); }, ""},
    {"a_wide_dashed_pen_keeps_its_style_and_width",
     [](PlotPicture& p) {
       p.SetPen(Pen{kGreen, DashDot, 3, PenMode::Copy});
       p.MoveTo(0, 20);
       p.LineTo(59, 20);
     },
     "stroke #00ff00 w3 s3 0,20 59,20"},
    {"a_frame_is_one_closed_stroke",
     [](PlotPicture& p) {
       p.SetPen(Pen{kRed, Solid, 1, PenMode::Copy});
       p.FrameRect(2, 2, 6, 5);
     },
     "stroke #ff0000 w1 s0 2,2 5,2 5,4 2,4 2,2"},
    {"XOR_lines_become_one_layer_of_the_pixels_they_left",
     [](PlotPicture& p) {
       p.SetPen(Pen{kRed, Solid, 1, PenMode::Xor});
       p.MoveTo(0, 0);
       p.LineTo(20, 0);
       p.XorDot(5, 5, kRed);
       p.EndPixelLayer();
     },
     "image 0,0 20x6 opaque=21"},
    {"XOR_drawing_without_its_layer_ended_records_nothing_yet",
     [](PlotPicture& p) {
       p.SetPen(Pen{kRed, Solid, 1, PenMode::Xor});
       p.MoveTo(0, 0);
       p.LineTo(20, 0);
     },
     ""},
    {"inverted_lines_become_one_layer_of_the_pixels_they_left",
     [](PlotPicture& p) {
       p.SetPen(Pen{0, Solid, 1, PenMode::Invert});
       p.MoveTo(2, 3);
       p.LineTo(6, 3);
       p.LineTo(6, 5);
       p.EndPixelLayer();
     },
     "image 2,3 5x2 opaque=6"},
    {"inverting_again_and_dropping_the_layer_leaves_no_trace",
     [](PlotPicture& p) {
       p.SetPen(Pen{0, Solid, 1, PenMode::Invert});
       p.MoveTo(2, 3);
       p.LineTo(6, 3);
       const std::uint64_t layer = p.EndPixelLayer();
       p.MoveTo(2, 3);
       p.LineTo(6, 3);
       p.DropPixelLayer(layer);
     },
     ""},
    {"dots_of_one_colour_share_an_item",
     [](PlotPicture& p) {
       p.Dot(1, 1, kRed);
       p.Dot(2, 2, kRed);
       p.Dot(3, 3, kBlue);
     },
     "dots #ff0000 1,1 2,2 | dots #0000ff 3,3"},
    {"dots_outside_the_picture_are_not_kept",
     [](PlotPicture& p) {
       p.Dot(-1, 1, kRed);
       p.Dot(60, 1, kRed);
     },
     ""},
    {"set_pixels_are_left_to_the_layer_of_their_builder",
     [](PlotPicture& p) { p.SetPixel(1, 1, kRed); }, ""},
    {"a_fill_forgets_everything_drawn_before",
     [](PlotPicture& p) {
       RedLine(p, 1, 1, 10, 1);
       p.Dot(3, 3, kBlue);
       p.Fill(kGreen);
     },
     ""},
    {"a_filled_rectangle_is_kept_as_far_as_it_lies_in_the_picture",
     [](PlotPicture& p) { p.FillRect(-5, -5, 10, 70, kBlue); }, "rect #0000ff 0,0-10,40"},
    {"text_keeps_its_corner_and_its_font",
     [](PlotPicture& p) {
       LabelFont font;
       font.FaceName = "DejaVu Sans";
       font.Height = -12;
       font.Bold = true;
       p.SetFont(font);
       p.DrawText(3, 4, "1<2");
     },
     "text '1<2' at 3,4 DejaVu Sans 12 bold"},
    {"growing_covers_the_new_area_in_the_background_colour",
     [](PlotPicture& p) { p.Grow(80, 50, kGreen); },
     "rect #00ff00 60,0-80,50 | rect #00ff00 0,40-60,50"},
    {"an_opened_picture_is_one_opaque_layer_at_the_top_left",
     [](PlotPicture& p) {
       QImage image(5, 3, QImage::Format_RGB32);
       image.fill(Qt::red);
       p.PasteImage(image);
     },
     "image 0,0 5x3 opaque=15"},
    {"a_snapshot_records_only_the_pixels_that_changed",
     [](PlotPicture& p) {
       const PlotPicture::Snapshot before = p.TakeSnapshot(0, 0, 60, 40);
       p.SetPixel(5, 6, kRed);
       p.SetPixel(9, 7, kRed);
       p.SetPixel(1, 1, 0xFFFFFF);  // white on white: no change
       p.RecordChanges(before);
     },
     "image 5,6 5x2 opaque=2"},
    {"a_field_of_one_colour_keeps_a_bit_for_each_pixel_of_its_colour",
     [](PlotPicture& p) {
       p.SetPixel(10, 10, kRed);
       p.SetPixel(12, 13, kRed);
       p.SetPixel(11, 11, kBlue);
       p.RecordColourField(-5, -5, 70, 70, kRed);
     },
     "image 8,10 5x4 opaque=2"},  // cut on whole bytes of the one-bit layer
    {"a_field_of_one_colour_without_that_colour_records_nothing",
     [](PlotPicture& p) { p.RecordColourField(0, 0, 60, 40, kRed); }, ""},
    {"a_field_of_many_colours_keeps_all_its_pixels",
     [](PlotPicture& p) { p.RecordField(50, 30, 70, 50); }, "image 50,30 10x10 opaque=100"},
    {"a_field_of_many_colours_hides_what_lay_wholly_under_it",
     [](PlotPicture& p) {
       RedLine(p, 20, 5, 30, 5);  // under the field
       RedLine(p, 20, 5, 50, 5);  // reaching out of it
       p.Dot(22, 6, kBlue);
       p.RecordField(10, 0, 40, 20);
       p.RecordField(10, 0, 40, 20);  // the same field again replaces the first
     },
     "stroke #ff0000 w1 s0 20,5 50,5 | image 10,0 30x20 opaque=600"},
    {"a_snapshot_without_changes_records_nothing",
     [](PlotPicture& p) { p.RecordChanges(p.TakeSnapshot(0, 0, 60, 40)); }, ""},
};

INSTANTIATE_TEST_SUITE_P(Operations, RecordOfDrawing, ::testing::ValuesIn(kDrawCases), CaseName());

TEST(RecordOfDrawing, AnInvertedLayerShowsThePixelsAsInverted) {
  PlotPicture picture(10, 10, 0x336699);
  picture.SetPen(Pen{0, Solid, 1, PenMode::Invert});
  picture.MoveTo(0, 0);
  picture.LineTo(3, 0);
  picture.EndPixelLayer();
  const auto& image = std::get<RecordImage>(picture.Record().Items().at(0));
  EXPECT_EQ(image.pixels.pixel(0, 0), qRgb(0x66, 0x99, 0xCC));  // 0xCC9966 as R, G, B
  EXPECT_EQ(picture.Record().Background(), 0x336699u);
}

TEST(RecordOfDrawing, ACopyTakesTheRecordAlong) {
  PlotPicture source(30, 20);
  RedLine(source, 0, 0, 9, 9);
  PlotPicture copy(1, 1);
  copy.CopyFrom(source);
  EXPECT_EQ(Describe(copy.Record()), "stroke #ff0000 w1 s0 0,0 9,9");
}

// What each builder leaves in the record: shapes for curves and dots, one layer of
// pixels for what is a field by nature, or for anything drawn by XOR.
struct BuildCase {
  const char* name;
  const char* formula;
  std::uint8_t kind;
  std::uint8_t interpolated;
  bool xorDrawing;
  int strokes, dots, images;
  bool onlyWhatItDrew = true;  // the layer's pixels are the drawn ones, not more
};

void PrintTo(const BuildCase& c, std::ostream* out) {
  *out << c.name;
}

class RecordOfBuild : public Plot2DFixture, public ::testing::WithParamInterface<BuildCase> {
 protected:
  void Count(int& strokes, int& dots, int& images) const {
    strokes = dots = images = 0;
    for (const RecordItem& item : picture.Record().Items()) {
      strokes += std::holds_alternative<RecordStroke>(item);
      dots += std::holds_alternative<RecordDots>(item);
      images += std::holds_alternative<RecordImage>(item);
    }
  }
};

TEST_P(RecordOfBuild, RecordsCurvesAsShapesAndFieldsAsPixels) {
  const BuildCase& c = GetParam();
  Add(c.formula, c.kind, c.interpolated, Less);
  doc.Params.XorDrawing = c.xorDrawing;
  BuildAll2D(ctx);
  int strokes = 0, dots = 0, images = 0;
  Count(strokes, dots, images);
  EXPECT_EQ(strokes, c.strokes);
  EXPECT_EQ(dots, c.dots);
  EXPECT_EQ(images, c.images);
  // A layer holds exactly the pixels the graph drew: the only ones not white.
  if (images == 1) {
    const auto& layer = std::get<RecordImage>(picture.Record().Items().back());
    PixelSet opaque;
    for (int y = 0; y < layer.pixels.height(); ++y) {
      for (int x = 0; x < layer.pixels.width(); ++x) {
        if (qAlpha(layer.pixels.pixel(x, y)) == 255) opaque.emplace(layer.x + x, layer.y + y);
      }
    }
    const PixelSet drawn = NonWhite();
    if (c.onlyWhatItDrew) {
      EXPECT_EQ(opaque, drawn);
    } else {
      EXPECT_TRUE(std::includes(opaque.begin(), opaque.end(), drawn.begin(), drawn.end()));
    }
  }
}

const BuildCase kBuildCases[] = {
    {"curve", "SIN(X)*5", Function, 1, false, 1, 0, 0},
    {"curve_broken_at_a_pole", "1/X", Function, 1, false, 2, 0, 0},
    {"dots", "X/2", Function, 0, false, 0, 1, 0},
    {"region", "X*X+Y*Y-25", Relation, 0, false, 0, 0, 1},
    {"contour", "X*X+Y*Y-25", Relation, 1, false, 0, 0, 1},
    {"colour_map", "X*Y", ColorGamma, 0, false, 0, 0, 1, false},
    {"XOR_region", "X*X+Y*Y-25", Relation, 0, true, 0, 0, 1, false},
    {"XOR_curve", "SIN(X)*5", Function, 1, true, 0, 0, 1},
    {"XOR_dots", "X/2", Function, 0, true, 0, 0, 1},
    {"a_formula_with_no_value_anywhere", "SQRT(0-1-X*X)", Function, 1, false, 0, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Builders, RecordOfBuild, ::testing::ValuesIn(kBuildCases), CaseName());

class RecordOfOverlays : public Plot2DFixture {};

TEST_F(RecordOfOverlays, ClearingEmptiesTheRecord) {
  Add("X", Function, 1);
  BuildAll2D(ctx);
  ASSERT_FALSE(picture.Record().Items().empty());
  ClearPicture(ctx);
  EXPECT_TRUE(picture.Record().Items().empty());
}

TEST_F(RecordOfOverlays, TheTemporaryGridIsALayerWhileItIsShown) {
  doc.Appearance.ShowAxes = true;
  BuildAll2D(ctx);
  const std::string axes = Describe(picture.Record());
  const std::size_t items = picture.Record().Items().size();
  grid.Toggle(picture, view);
  ASSERT_EQ(picture.Record().Items().size(), items + 1);
  EXPECT_TRUE(std::holds_alternative<RecordImage>(picture.Record().Items().back()));
  grid.Toggle(picture, view);
  EXPECT_EQ(Describe(picture.Record()), axes);
}

TEST_F(RecordOfOverlays, AGrownPictureKeepsTheGridLayerAndAddsTheNewArea) {
  BuildAll2D(ctx);
  grid.Toggle(picture, view);
  SetView(300, 200);
  ASSERT_TRUE(FitPictureToView(ctx));
  // The picture grows to what a view of that size is given (at least its default
  // size); the grid, erased before and drawn again after, is on top.
  EXPECT_EQ(Describe(picture.Record()).substr(0, 76),
            "rect #ffffff 240,0-1600,1200 | rect #ffffff 0,180-240,1200 | image 0,0 20x20");
}

TEST_F(RecordOfOverlays, AxesAndLabelsAreStrokesAndText) {
  doc.Appearance.ShowAxes = true;
  doc.Appearance.ShowUnits = true;
  doc.Appearance.ShowVariableNames = true;
  SetView(200, 160);
  BuildAll2D(ctx);
  int texts = 0, strokes = 0;
  for (const RecordItem& item : picture.Record().Items()) {
    texts += std::holds_alternative<RecordText>(item);
    strokes += std::holds_alternative<RecordStroke>(item);
  }
  EXPECT_GT(texts, 2);  // unit labels and both variable names
  EXPECT_GT(strokes, 2);
  EXPECT_FALSE(picture.Record().HasImages());
}

}  // namespace
}  // namespace lw::test
