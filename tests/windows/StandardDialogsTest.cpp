// The standard dialogs as the windows use them: what they open on and what an
// untouched confirmation gives back.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>

#include "app/Pictures.h"
#include "windows/PictureFileDialog.h"
#include "windows/QtConvert.h"
#include "windows/StandardTexts.h"

namespace lw {
namespace {

struct FontCase {
  const char* name;
  LabelFont font;
};

LabelFont Font(const char* face, int height, bool bold, bool italic, bool underline = false) {
  LabelFont f;
  f.FaceName = face;
  f.Height = height;
  f.Size = 0;
  f.Bold = bold;
  f.Italic = italic;
  f.Underline = underline;
  f.Color = 0x0000FF;
  return f;
}

const FontCase fontCases[] = {
    {"DocumentDefault", LabelFont{}},
    {"SerifBold", Font("DejaVu Serif", -16, true, false)},
    {"SansItalic", Font("DejaVu Sans", -13, false, true)},
    {"MonoBoldItalicUnderlined", Font("DejaVu Sans Mono", -20, true, true, true)},
};

class FontDialogRoundTrip : public testing::TestWithParam<FontCase> {};

TEST_P(FontDialogRoundTrip, OpensOnTheFontAndAnUntouchedOkKeepsIt) {
  const LabelFont& initial = GetParam().font;
  QFontDialog dialog(DialogFont(initial));
  const QFont shown = dialog.currentFont();
  const QFont offered = DialogFont(initial);
  EXPECT_EQ(shown.family(), offered.family());
  EXPECT_EQ(shown.styleName(), offered.styleName());
  EXPECT_EQ(shown.pointSize(), offered.pointSize());
  EXPECT_EQ(shown.bold(), initial.Bold);
  EXPECT_EQ(shown.italic(), initial.Italic);
  EXPECT_EQ(shown.underline(), initial.Underline);
  EXPECT_EQ(ChosenFont(shown, initial), initial);
}

TEST_P(FontDialogRoundTrip, AChangedStyleIsTakenWithTheSameFace) {
  const LabelFont& initial = GetParam().font;
  QFont changed = DialogFont(initial);
  changed.setItalic(!initial.Italic);
  changed.setStyleName(QString());
  const LabelFont chosen = ChosenFont(changed, initial);
  EXPECT_EQ(chosen.Italic, !initial.Italic);
  EXPECT_EQ(chosen.Bold, initial.Bold);
  EXPECT_EQ(chosen.Color, initial.Color);
  EXPECT_EQ(QFontInfo(ToQFont(chosen)).family(), QFontInfo(ToQFont(initial)).family());
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontDialogRoundTrip, testing::ValuesIn(fontCases),
                         [](const testing::TestParamInfo<FontCase>& c) {
                           return std::string(c.param.name);
                         });

struct StandardText {
  const char* context;
  const char* english;
  const char* comment = nullptr;
};

class StandardDialogText : public testing::TestWithParam<StandardText> {};

// Every English text seen in the file, colour, font and print dialogs, among them
// those Qt's own catalogue lacks.
TEST_P(StandardDialogText, SpeaksUkrainian) {
  const StandardText& t = GetParam();
  const StandardDialogTexts texts;
  ASSERT_TRUE(texts.HasSystemCatalogue())
      << "qtbase_uk.qm is missing from Qt's translations folder";
  const QString shown = QCoreApplication::translate(t.context, t.english, t.comment);
  EXPECT_FALSE(shown.isEmpty());
  EXPECT_NE(shown, QString::fromLatin1(t.english));
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, StandardDialogText,
    testing::Values(
        StandardText{"QFileDialog", "Look in:"}, StandardText{"QFileDialog", "File &name:"},
        StandardText{"QPlatformTheme", "Cancel"}, StandardText{"QColorDialog", "Select Color"},
        StandardText{"QFontDialog", "Select Font"}, StandardText{"QPrintDialog", "Print"},
        StandardText{"QAbstractFileIconProvider", "Folder", "All other platforms"},
        StandardText{"QAbstractFileIconProvider", "Drive"},
        StandardText{"QPrintSettingsOutput", "Pages"},
        StandardText{"QPrintSettingsOutput", "Double Sided Printing"},
        StandardText{"QPrintSettingsOutput", "Off"},
        StandardText{"QPrintSettingsOutput", "Long side binding"},
        StandardText{"QPrintSettingsOutput", "Short side binding"}),
    [](const testing::TestParamInfo<StandardText>& c) {
      std::string name = std::string(c.param.context) + "_";
      for (const char* ch = c.param.english; *ch; ++ch) {
        if (std::isalnum(static_cast<unsigned char>(*ch))) name += *ch;
      }
      return name;
    });

struct SizeCase {
  const char* name;
  qint64 bytes;
  const char* shown;
};

class FileListSize : public testing::TestWithParam<SizeCase> {};

TEST_P(FileListSize, ReadsInUkrainian) {
  EXPECT_EQ(UkrainianFileSize(GetParam().bytes), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FileListSize,
    testing::Values(SizeCase{"Empty", 0, "0\u00a0байтів"}, SizeCase{"One", 1, "1\u00a0байт"},
                    SizeCase{"TwentyOne", 21, "21\u00a0байт"},
                    SizeCase{"Twelve", 12, "12\u00a0байтів"},
                    SizeCase{"FewBytes", 295, "295\u00a0байтів"},
                    SizeCase{"JustUnderOneKilobyte", 1023, "1023\u00a0байти"},
                    SizeCase{"OneAndAHalfKilobytes", 1536, "1,50\u00a0КБ"},
                    SizeCase{"Megabytes", 5'000'000, "4,77\u00a0МБ"},
                    SizeCase{"HundredsOfMegabytes", 734'003'200, "700\u00a0МБ"},
                    SizeCase{"Gigabytes", 3'000'000'000, "2,79\u00a0ГБ"},
                    SizeCase{"BeyondTerabytes", 5'000'000'000'000'000, "4547\u00a0ТБ"}),
    [](const testing::TestParamInfo<SizeCase>& c) { return std::string(c.param.name); });

TEST(FileListDate, ReadsInUkrainian) {
  const QDateTime modified(QDate(2026, 12, 8), QTime(13, 34));
  EXPECT_EQ(UkrainianFileDate(modified), QStringLiteral("08.12.26 13:34"));
}

struct PreviewCase {
  const char* name;
  QSize pictureSize;  // empty: the file is no picture
  QSize previewSize;  // 0 x 0: no preview
};

class PicturePreview : public testing::TestWithParam<PreviewCase> {};

TEST_P(PicturePreview, ShowsTheSelectedPictureWithinTheBox) {
  const PreviewCase& c = GetParam();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("picture.bmp"));
  if (c.pictureSize.isEmpty()) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
  } else {
    QImage image(c.pictureSize, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path));
  }
  for (auto mode : {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
    PictureFileDialog dialog(nullptr, QStringLiteral("t"), QStringLiteral("*.bmp"),
                             QStringLiteral("bmp"), mode);
    dialog.ShowPreview(path);
    EXPECT_EQ(dialog.Preview()->pixmap().size(), c.previewSize);
    dialog.ShowPreview(dir.filePath(QStringLiteral("missing.bmp")));
    EXPECT_TRUE(dialog.Preview()->pixmap().isNull());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PicturePreview,
    testing::Values(PreviewCase{"SmallPictureAsItIs", {40, 30}, {40, 30}},
                    PreviewCase{"LargePictureScaledDown", {800, 400}, {176, 88}},
                    PreviewCase{"NoPictureNoPreview", {}, {0, 0}}),
    [](const testing::TestParamInfo<PreviewCase>& c) { return std::string(c.param.name); });

// A bare name typed under a drawing's filter gets that filter's extension; the picture
// filters keep the dialog's own.
struct SuffixCase {
  const char* name;
  const char* filter;
  const char* suffix;
};

class PictureSuffix : public testing::TestWithParam<SuffixCase> {};

TEST_P(PictureSuffix, FollowsTheChosenFilter) {
  PictureFileDialog dialog(nullptr, QStringLiteral("t"), QString::fromUtf8(Picture2DSaveFilter),
                           QStringLiteral("bmp"), QFileDialog::AcceptSave);
  // As the dialog does when the user picks a filter line.
  emit dialog.filterSelected(QStringLiteral("Векторні малюнки SVG (*.svg)"));
  emit dialog.filterSelected(QString::fromUtf8(GetParam().filter));
  EXPECT_EQ(dialog.defaultSuffix(), QString::fromLatin1(GetParam().suffix));
}

INSTANTIATE_TEST_SUITE_P(
    Filters, PictureSuffix,
    testing::Values(SuffixCase{"Svg", "Векторні малюнки SVG (*.svg)", "svg"},
                    SuffixCase{"Pdf", "Документи PDF (*.pdf)", "pdf"},
                    SuffixCase{"PngKeepsTheDefault", "Малюнки PNG (*.png)", "bmp"},
                    SuffixCase{"BmpKeepsTheDefault", "Точкові малюнки (*.bmp)", "bmp"}),
    [](const testing::TestParamInfo<SuffixCase>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace lw
