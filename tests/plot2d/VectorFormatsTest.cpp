// The picture's record as SVG text, as a PDF page and painted with a QPainter.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QXmlStreamReader>
#include <functional>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "plot2d/PlotPicture.h"
#include "plot2d/VectorFormats.h"

namespace lw::test {
namespace {

constexpr Colour kRed = 0x0000FF;

struct SvgCase {
  const char* name;
  std::function<void(PlotPicture&)> draw;
  std::vector<std::string> present;
  std::vector<std::string> absent;
};

class SvgOfRecord : public ::testing::TestWithParam<SvgCase> {};

TEST_P(SvgOfRecord, SaysWhatWasDrawnInWellFormedSvg) {
  PlotPicture picture(60, 40);
  GetParam().draw(picture);
  const std::string svg = EncodeSvg(picture.Record(), 50, 30);
  QXmlStreamReader xml(QByteArray::fromStdString(svg));
  while (!xml.atEnd()) xml.readNext();
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << "\n" << svg;
  // The page is the part asked for, on the background.
  EXPECT_NE(svg.find("width=\"50\" height=\"30\" viewBox=\"0 0 50 30\""), std::string::npos);
  EXPECT_NE(svg.find("<rect x=\"0\" y=\"0\" width=\"50\" height=\"30\" fill=\"#ffffff\"/>"),
            std::string::npos);
  for (const std::string& text : GetParam().present) {
    EXPECT_NE(svg.find(text), std::string::npos) << text << "\n" << svg;
  }
  for (const std::string& text : GetParam().absent) {
    EXPECT_EQ(svg.find(text), std::string::npos) << text << "\n" << svg;
  }
}

void Line(PlotPicture& p, const Pen& pen, int x0, int y0, int x1, int y1) {
  p.SetPen(pen);
  p.MoveTo(x0, y0);
  p.LineTo(x1, y1);
}

const SvgCase kSvgCases[] = {
    {"a_solid_line_runs_through_the_middle_of_its_pixels",
     [](PlotPicture& p) {
       Line(p, Pen{kRed, Solid, 1, PenMode::Copy}, 1, 2, 10, 2);
     },
     {"stroke=\"#ff0000\" stroke-width=\"1\"", "points=\"1.5,2.5 10.5,2.5\""},
     {"stroke-dasharray", "<image"}},
    {"a_line_leaving_the_picture_keeps_its_far_end",
     [](PlotPicture& p) {
       Line(p, Pen{kRed, Solid, 1, PenMode::Copy}, -3, 2, 5, -1);
       p.LineTo(0, -2147483647 - 1);
     },
     {"points=\"-2.5,2.5 5.5,-0.5 0.5,-2147483647.5\""},
     {}},
    {"a_dotted_line_keeps_its_pattern",
     [](PlotPicture& p) {
       Line(p, Pen{kRed, Dot, 1, PenMode::Copy}, 0, 0, 20, 0);
     },
     {"stroke-dasharray=\"3 3\""},
     {}},
    {"a_wide_dash_dot_line_stretches_its_pattern_by_its_width",
     [](PlotPicture& p) {
       Line(p, Pen{kRed, DashDot, 3, PenMode::Copy}, 0, 0, 20, 0);
     },
     {"stroke-width=\"3\"", "stroke-dasharray=\"27 18 9 18\""},
     {}},
    {"dots_are_pixel_squares",
     [](PlotPicture& p) {
       p.Dot(1, 1, kRed);
       p.Dot(4, 2, kRed);
     },
     {"<path fill=\"#ff0000\" d=\"M1 1h1v1h-1zM4 2h1v1h-1z\"/>"},
     {}},
    {"text_stays_text_its_markup_escaped",
     [](PlotPicture& p) {
       LabelFont font;
       font.FaceName = "A&B";
       font.Height = -12;
       font.Italic = true;
       p.SetFont(font);
       p.DrawText(3, 4, "x<\"1\"");
     },
     {"font-family=\"A&amp;B, sans-serif\" font-size=\"12\" font-style=\"italic\"",
      ">x&lt;&quot;1&quot;</text>"},
     {"<image"}},
    {"a_layer_of_pixels_is_an_embedded_PNG_image",
     [](PlotPicture& p) {
       const PlotPicture::Snapshot before = p.TakeSnapshot(0, 0, 60, 40);
       p.SetPixel(5, 6, kRed);
       p.RecordChanges(before);
     },
     {"<image x=\"5\" y=\"6\" width=\"1\" height=\"1\"",
      "href=\"data:image/png;base64,iVBORw0KGgo"},
     {}},
    {"a_filled_rectangle_keeps_its_place",
     [](PlotPicture& p) { p.FillRect(2, 3, 7, 9, kRed); },
     {"<rect x=\"2\" y=\"3\" width=\"5\" height=\"6\" fill=\"#ff0000\"/>"},
     {}},
};

INSTANTIATE_TEST_SUITE_P(Items, SvgOfRecord, ::testing::ValuesIn(kSvgCases), CaseName());

std::string CurvesAndText(PlotPicture& picture) {
  Line(picture, Pen{kRed, Solid, 1, PenMode::Copy}, 1, 2, 30, 20);
  picture.DrawText(3, 4, "17");
  return EncodePdf(picture.Record(), 80, 60);
}

TEST(PdfOfRecord, IsOnePageOfThePicturesSizeAt96PixelsAnInch) {
  PlotPicture picture(100, 80);
  const std::string pdf = CurvesAndText(picture);
  ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
  // 80 x 60 pixels are 60 x 45 points.
  EXPECT_NE(pdf.find("/MediaBox [0 0 60.000000 45.000000]"), std::string::npos);
  EXPECT_EQ(pdf.find("/Subtype /Image"), std::string::npos);  // curves stay paths
  EXPECT_NE(pdf.find("/FontFile"), std::string::npos);        // text stays text
}

TEST(PdfOfRecord, EmbedsLayersOfPixelsAsImages) {
  PlotPicture picture(100, 80);
  const PlotPicture::Snapshot before = picture.TakeSnapshot(0, 0, 100, 80);
  picture.FillRect(10, 10, 20, 20, kRed);
  picture.SetPixel(40, 40, kRed);
  picture.RecordChanges(before);
  EXPECT_NE(EncodePdf(picture.Record(), 80, 60).find("/Subtype /Image"), std::string::npos);
}

// Dots, rectangles and layers of pixels lie on whole pixels, so painted at one unit a
// pixel they give back the raster's own pixels.
TEST(PaintRecord, GivesBackThePixelsOfDotsRectanglesAndLayers) {
  PlotPicture picture(40, 30, 0x102030);
  picture.Dot(1, 1, kRed);
  picture.FillRect(5, 5, 9, 8, 0x00FF00);
  const PlotPicture::Snapshot before = picture.TakeSnapshot(0, 0, 40, 30);
  for (int x = 10; x < 30; x += 3) picture.SetPixel(x, 20 + x % 5, 0xFF00FF);
  picture.RecordChanges(before);
  QImage painted(40, 30, QImage::Format_RGB32);
  painted.fill(Qt::black);
  QPainter painter(&painted);
  PaintRecord(painter, picture.Record(), 40, 30);
  painter.end();
  EXPECT_TRUE(painted == picture.ToImage(40, 30));
}

TEST(PaintRecord, PaintsNothingOutsideThePage) {
  PlotPicture picture(40, 30);
  picture.FillRect(0, 0, 40, 30, kRed);
  QImage painted(40, 30, QImage::Format_RGB32);
  painted.fill(Qt::black);
  QPainter painter(&painted);
  PaintRecord(painter, picture.Record(), 20, 10);
  painter.end();
  EXPECT_EQ(painted.pixel(19, 9), qRgb(255, 0, 0));
  EXPECT_EQ(painted.pixel(20, 9), qRgb(0, 0, 0));
  EXPECT_EQ(painted.pixel(19, 10), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace lw::test
