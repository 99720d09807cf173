// The notepad's file and caption rules, its search, and the picture formats.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "CaseNames.h"
#include "TempDir.h"
#include "app/NotepadDocument.h"
#include "app/Pictures.h"

namespace lw {
namespace {

struct FindCase {
  const char* name;
  const char* text;
  const char* what;
  int from;
  bool matchCase;
  bool wholeWord;
  int expected;
};

void PrintTo(const FindCase& c, std::ostream* out) {
  *out << c.name;
}

class Find : public ::testing::TestWithParam<FindCase> {};

TEST_P(Find, FindsTheFirstMatchForward) {
  const FindCase c = GetParam();
  EXPECT_EQ(FindForward(QString::fromUtf8(c.text), QString::fromUtf8(c.what), c.from,
                        FindOptions{c.matchCase, c.wholeWord}),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Find,
    ::testing::Values(
        FindCase{"First", "one word two word", "word", 0, false, false, 4},
        FindCase{"FromAfterTheFirst", "one word two word", "word", 5, false, false, 13},
        FindCase{"NoneAfterTheLast", "one word two word", "word", 14, false, false, -1},
        FindCase{"MatchCase", "Word word", "word", 0, true, false, 5},
        FindCase{"IgnoreCase", "Word word", "WORD", 0, false, false, 0},
        FindCase{"WholeWord", "sword words word", "word", 0, false, true, 12},
        FindCase{"UnderscoreIsPartOfAWord", "word_x word", "word", 0, false, true, 7},
        FindCase{"CyrillicIgnoreCase", "слово Слово", "слово", 1, false, false, 6},
        FindCase{"EmptyPattern", "anything", "", 0, false, false, -1},
        FindCase{"NegativeStartFromTheTop", "abc", "abc", -3, false, false, 0},
        FindCase{"StartPastTheEnd", "abc", "abc", 10, false, false, -1}),
    test::CaseName());

TEST(SearchStart, StartsOneAfterTheSelectionStartOrAtTheCaret) {
  EXPECT_EQ(SearchStart(true, 4, 8), 5);
  EXPECT_EQ(SearchStart(false, 8, 8), 8);
}

TEST(MatchesSearch, ComparesWithTheCaseOption) {
  EXPECT_TRUE(MatchesSearch("Word", "word", FindOptions{false, false}));
  EXPECT_FALSE(MatchesSearch("Word", "word", FindOptions{true, false}));
  EXPECT_FALSE(MatchesSearch("", "", FindOptions{}));
}

TEST(NotepadPrompt, AsksOnlyWithThePromptOnAndTheTextModified) {
  EXPECT_TRUE(NotepadMustAsk(true, true));
  EXPECT_FALSE(NotepadMustAsk(true, false));
  EXPECT_FALSE(NotepadMustAsk(false, true));
  EXPECT_FALSE(NotepadMustAsk(false, false));
}

TEST(NotepadDocument, CaptionNamesTheFileOrNoname) {
  testing::TempDir dir;
  NotepadDocument doc;
  EXPECT_EQ(doc.Caption(), "Записна книжка - Noname.txt");
  QString text = "x";
  QString error;
  const QString path = QString::fromStdString(dir.File("нотатки.txt"));
  ASSERT_TRUE(doc.Save(path, "a\nb", error));
  EXPECT_EQ(doc.Caption(), "Записна книжка - нотатки.txt");
  NotepadDocument other;
  ASSERT_TRUE(other.Load(path, text, error));
  EXPECT_EQ(text, "a\nb\n");
  EXPECT_EQ(other.FileName(), path);
  doc.Clear();
  EXPECT_EQ(doc.Caption(), "Записна книжка - Noname.txt");
}

TEST(NotepadDocument, AFailedLoadOrSaveKeepsTheFileName) {
  testing::TempDir dir;
  NotepadDocument doc;
  QString error;
  const QString good = QString::fromStdString(dir.File("good.txt"));
  ASSERT_TRUE(doc.Save(good, "x", error));
  QString text = "unchanged";
  EXPECT_FALSE(doc.Load(QString::fromStdString(dir.File("none.txt")), text, error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(text, "unchanged");
  EXPECT_FALSE(doc.Save(QString::fromStdString(dir.File("no/such/dir.txt")), "y", error));
  EXPECT_EQ(doc.FileName(), good);
}

// A file far larger than any note is refused before it is read; the notepad keeps
// its text and its file.
TEST(NotepadDocument, AHugeFileIsRefused) {
  testing::TempDir dir;
  const QString huge = QString::fromStdString(dir.File("huge.txt"));
  {
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize((qint64{64} << 20) + 1));  // sparse: costs no disk
  }
  NotepadDocument doc;
  QString text = "unchanged";
  QString error;
  EXPECT_FALSE(doc.Load(huge, text, error));
  EXPECT_TRUE(error.contains("64"));
  EXPECT_EQ(text, "unchanged");
  EXPECT_TRUE(doc.FileName().isEmpty());
}

TEST(NotepadDocument, OlderNotesInCodePage1251AreRead) {
  EXPECT_EQ(DecodeNotepadText(QByteArray("\xcf\xf0\xe8\xe2\xb3\xf2")), "Привіт");
  EXPECT_EQ(DecodeNotepadText(QByteArray("Привіт")), "Привіт");
}

TEST(Pictures, FormatFollowsTheExtensionWithBmpByDefault) {
  EXPECT_STREQ(PictureFormatFor("a.png"), "PNG");
  EXPECT_STREQ(PictureFormatFor("a.PNG"), "PNG");
  EXPECT_STREQ(PictureFormatFor("a.bmp"), "BMP");
  EXPECT_STREQ(PictureFormatFor("a"), "BMP");
}

TEST(Pictures, WrittenPicturesReadBackAndAFailureGivesAReason) {
  testing::TempDir dir;
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(QColor(10, 20, 30));
  QString error;
  const QString path = QString::fromStdString(dir.File("p.bmp"));
  ASSERT_TRUE(WritePicture(image, path, error));
  const QImage back = ReadPicture(path, error);
  EXPECT_EQ(back.size(), QSize(3, 2));
  EXPECT_EQ(back.pixelColor(1, 1), QColor(10, 20, 30));
  EXPECT_FALSE(WritePicture(image, QString::fromStdString(dir.File("no/dir/p.bmp")), error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(PictureSavedText("/x/p.bmp"), "Збереження - /x/p.bmp - Окей");
}

}  // namespace
}  // namespace lw
