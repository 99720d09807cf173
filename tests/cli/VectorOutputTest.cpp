// render2d's SVG and PDF drawings, rendered back by other programs (rsvg-convert for
// SVG, pdftoppm for PDF), against its PNG picture of the same document: what one shows
// the other shows too, within two pixels; text stays text, and curves stay paths.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "CommandRun.h"
#include "document/SettingsFile.h"

namespace lw::cli {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A pixel is drawn when it stands clearly apart from the background; the faint edge of
// a smoothed line is not.
std::vector<bool> Drawn(const QImage& image, QRgb background) {
  std::vector<bool> drawn(static_cast<std::size_t>(kWidth) * kHeight, false);
  if (image.size() != QSize(kWidth, kHeight)) return drawn;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const QRgb p = image.pixel(x, y);
      const int d =
          std::max({std::abs(qRed(p) - qRed(background)), std::abs(qGreen(p) - qGreen(background)),
                    std::abs(qBlue(p) - qBlue(background))});
      drawn[static_cast<std::size_t>(y) * kWidth + x] = d > 64;
    }
  }
  return drawn;
}

// The drawn pixels grown by `reach` pixels in every direction.
std::vector<bool> Grown(const std::vector<bool>& drawn, int reach) {
  std::vector<bool> rows(drawn.size(), false), grown(drawn.size(), false);
  auto at = [](int x, int y) { return static_cast<std::size_t>(y) * kWidth + x; };
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      for (int dx = -reach; dx <= reach && !rows[at(x, y)]; ++dx) {
        const int nx = x + dx;
        if (nx >= 0 && nx < kWidth && drawn[at(nx, y)]) rows[at(x, y)] = true;
      }
    }
  }
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      for (int dy = -reach; dy <= reach && !grown[at(x, y)]; ++dy) {
        const int ny = y + dy;
        if (ny >= 0 && ny < kHeight && rows[at(x, ny)]) grown[at(x, y)] = true;
      }
    }
  }
  return grown;
}

// The share of a's drawn pixels that have a drawn pixel of b within two pixels.
double Covered(const std::vector<bool>& a, const std::vector<bool>& b) {
  const std::vector<bool> near = Grown(b, 2);
  std::size_t drawn = 0, covered = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!a[i]) continue;
    ++drawn;
    covered += near[i];
  }
  return drawn == 0 ? 1.0 : static_cast<double>(covered) / static_cast<double>(drawn);
}

// The share of pixels of the same colour in both, within a small step per channel:
// smoothing changes the edges of lines, never the fields of colour.
double SameColour(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 0;
  std::size_t same = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      same += std::abs(qRed(p) - qRed(q)) <= 24 && std::abs(qGreen(p) - qGreen(q)) <= 24 &&
              std::abs(qBlue(p) - qBlue(q)) <= 24;
    }
  }
  return static_cast<double>(same) / (static_cast<double>(a.width()) * a.height());
}

bool RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

std::string ReadAll(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

struct CoverageCase {
  const char* name;
  const char* example;
  const char* format;  // "svg" or "pdf"
  double share;        // of drawn pixels that must be matched both ways
  bool curvesOnly;     // no layer of pixels at all
};

void PrintTo(const CoverageCase& c, std::ostream* out) {
  *out << c.name;
}

class VectorOutput : public ::testing::TestWithParam<CoverageCase> {
 protected:
  VectorOutput() {
    dir = fs::temp_directory_path() /
          ("lw-vector-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           test::NameFromText(GetParam().name));
    fs::create_directories(dir);
  }
  ~VectorOutput() override { fs::remove_all(dir); }
  std::string Path(const std::string& name) const { return (dir / name).string(); }

  // The drawing rendered back to a picture of the page's size by the program for it.
  QImage RenderBack(const std::string& drawing, bool svg) const {
    const std::string png = Path("back.png");
    const bool ran =
        svg ? RunTool(QStringLiteral("rsvg-convert"),
                      {"-w", QString::number(kWidth), "-h", QString::number(kHeight),
                       QString::fromStdString(drawing), "-o", QString::fromStdString(png)})
            : RunTool(QStringLiteral("pdftoppm"),
                      {"-r", "96", "-png", "-singlefile", QString::fromStdString(drawing),
                       QString::fromStdString(Path("back"))});
    return ran ? QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32)
               : QImage();
  }

  fs::path dir;
};

TEST_P(VectorOutput, RendersBackToWhatThePngShows) {
  const CoverageCase& c = GetParam();
  const bool svg = std::string(c.format) == "svg";
  const char* tool = svg ? "rsvg-convert" : "pdftoppm";
  if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
    GTEST_SKIP() << tool << " is not installed (Debian package "
                 << (svg ? "librsvg2-bin" : "poppler-utils") << "); scripts/install-deps adds it";
  }
  const std::string doc = std::string(LW_EXAMPLES_DIR "/") + c.example + ".lwf";
  const std::string size = std::to_string(kWidth) + "x" + std::to_string(kHeight);
  const std::string png = Path("picture.png");
  const std::string drawing = Path(std::string("drawing.") + c.format);
  ASSERT_EQ(RunCommand(RunRender2D, {doc, "-o", png, "--size", size}).exit, ExitOk);
  const CommandRun run = RunCommand(RunRender2D, {doc, "-o", drawing, "--size", size});
  ASSERT_EQ(run.exit, ExitOk) << run.err;

  const QImage back = RenderBack(drawing, svg);
  ASSERT_EQ(back.size(), QSize(kWidth, kHeight)) << tool << " gave no picture of the page's size";
  Document document;
  ASSERT_EQ(LoadSettingsFile(doc, document), FileResult::Ok);
  const Colour bg = document.Appearance.BackgroundColor;
  const QRgb background = qRgb(static_cast<int>(bg & 0xFF), static_cast<int>((bg >> 8) & 0xFF),
                               static_cast<int>((bg >> 16) & 0xFF));
  const QImage picture = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
  const std::vector<bool> original = Drawn(picture, background);
  const std::vector<bool> rendered = Drawn(back, background);
  // Fields of colour (and the background between lines) keep their colours.
  EXPECT_GE(SameColour(picture, back), 0.85) << "colours differ";
  EXPECT_GE(Covered(original, rendered), c.share) << "what the PNG shows, missing in " << tool;
  EXPECT_GE(Covered(rendered, original), c.share) << "drawn by " << tool << ", not in the PNG";

  const std::string bytes = ReadAll(drawing);
  const bool hasImage = bytes.find(svg ? "<image" : "/Subtype /Image") != std::string::npos;
  if (c.curvesOnly) {
    EXPECT_FALSE(hasImage) << "a document of curves and dots holds no raster";
  }
}

const CoverageCase kCoverageCases[] = {
    {"functions_as_SVG", "functions", "svg", 0.95, true},
    {"functions_as_PDF", "functions", "pdf", 0.95, true},
    {"relations_as_SVG", "relations", "svg", 0.85, false},
    {"relations_as_PDF", "relations", "pdf", 0.85, false},
    {"colour_map_as_SVG", "gamma", "svg", 0.85, false},
    {"colour_map_as_PDF", "gamma", "pdf", 0.85, false},
    {"parametric_names_as_SVG", "parametric-names", "svg", 0.85, false},
    {"parametric_names_as_PDF", "parametric-names", "pdf", 0.85, false},
    {"a_3D_document_s_axes_as_SVG", "surfaces", "svg", 0.95, true},
};

INSTANTIATE_TEST_SUITE_P(Examples, VectorOutput, ::testing::ValuesIn(kCoverageCases),
                         test::CaseName());

// Every text of the drawing can be found in the PDF: the unit labels and the variable
// names are text, not pictures of text.
TEST(VectorOutputText, PdfTextHoldsTheUnitLabels) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
    GTEST_SKIP() << "pdftotext is not installed (Debian package poppler-utils)";
  }
  const fs::path dir =
      fs::temp_directory_path() /
      ("lw-vector-text-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::create_directories(dir);
  const std::string doc = LW_EXAMPLES_DIR "/functions.lwf";
  const std::string svg = (dir / "f.svg").string(), pdf = (dir / "f.pdf").string();
  const std::string text = (dir / "f.txt").string();
  ASSERT_EQ(RunCommand(RunRender2D, {doc, "-o", svg, "--size", "800x600"}).exit, ExitOk);
  ASSERT_EQ(RunCommand(RunRender2D, {doc, "-o", pdf, "--size", "800x600"}).exit, ExitOk);
  ASSERT_TRUE(RunTool(QStringLiteral("pdftotext"),
                      {QString::fromStdString(pdf), QString::fromStdString(text)}));
  const QString found = QString::fromStdString(ReadAll(text));
  static const QRegularExpression label(QStringLiteral(">([^<]+)</text>"));
  int labels = 0;
  for (auto it = label.globalMatch(QString::fromStdString(ReadAll(svg))); it.hasNext();) {
    const QString one = it.next().captured(1);
    EXPECT_TRUE(found.contains(one)) << one.toStdString();
    ++labels;
  }
  EXPECT_GT(labels, 10);  // the unit labels along both axes and the variable names
  fs::remove_all(dir);
}

}  // namespace
}  // namespace lw::cli
