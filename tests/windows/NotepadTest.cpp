// The notepad: find and replace, its caption and save prompt, its file and look
// carried by the options file; the message window's width rule.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QToolButton>

#include "CaseNames.h"
#include "WindowsTestSupport.h"
#include "windows/FindDialog.h"
#include "windows/MessageWindow.h"
#include "windows/NotepadWindow.h"
#include "windows/SavePromptWindow.h"

namespace lw::test {
namespace {

void SetText(NotepadWindow& notepad, const QString& text) {
  notepad.Text()->setPlainText(text);
  notepad.Text()->moveCursor(QTextCursor::Start);
}

// As the user types: the text counts as modified.
void Type(NotepadWindow& notepad, const QString& text) {
  notepad.Text()->selectAll();
  notepad.Text()->insertPlainText(text);
}

struct Selection {
  int start;
  int end;
  bool operator==(const Selection&) const = default;
};

Selection Selected(NotepadWindow& notepad) {
  const QTextCursor c = notepad.Text()->textCursor();
  return {c.selectionStart(), c.selectionEnd()};
}

// Closes the next modal window, remembering its caption and label text.
struct MessageCatcher {
  QString caption;
  QString text;
  int count = 0;
  void Arm() {
    WhenModal([this](QWidget* modal) {
      ++count;
      caption = modal->windowTitle();
      if (auto* label = modal->findChild<QLabel*>()) text = label->text();
      if (auto* box = qobject_cast<QDialog*>(modal)) box->accept();
    });
  }
};

std::string ReadAll(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll().toStdString();
}

TEST(Notepad, FindsAWordTwiceThenReportsTheEndAndStartsAgainFromTheTop) {
  ProgramFixture f;
  NotepadWindow& notepad = *f.Windows().Notepad;
  SetText(notepad, "one word, two WORD.");
  const FindOptions options;
  EXPECT_TRUE(notepad.FindNext("word", options));
  EXPECT_EQ(Selected(notepad), (Selection{4, 8}));
  EXPECT_TRUE(notepad.FindNext("word", options));
  EXPECT_EQ(Selected(notepad), (Selection{14, 18}));
  MessageCatcher message;
  message.Arm();
  EXPECT_FALSE(notepad.FindNext("word", options));
  EXPECT_EQ(message.count, 1);
  EXPECT_EQ(message.caption, "Знайти/Замінити");
  EXPECT_EQ(message.text, "Кінець тексту досягнут.");
  EXPECT_EQ(Selected(notepad), (Selection{0, 0}));
  EXPECT_TRUE(notepad.FindNext("word", options));
  EXPECT_EQ(Selected(notepad), (Selection{4, 8}));
}

TEST(Notepad, MatchCaseAndWholeWordAreHonoured) {
  ProgramFixture f;
  NotepadWindow& notepad = *f.Windows().Notepad;
  SetText(notepad, "sword Word word");
  EXPECT_TRUE(notepad.FindNext("word", FindOptions{true, true}));
  EXPECT_EQ(Selected(notepad), (Selection{11, 15}));
  notepad.Text()->moveCursor(QTextCursor::Start);
  EXPECT_TRUE(notepad.FindNext("word", FindOptions{false, true}));
  EXPECT_EQ(Selected(notepad), (Selection{6, 10}));
  notepad.Text()->moveCursor(QTextCursor::Start);
  EXPECT_TRUE(notepad.FindNext("word", FindOptions{true, false}));
  EXPECT_EQ(Selected(notepad), (Selection{1, 5}));
}

TEST(Notepad, ReplaceAllOfAByAaResumesAfterEachInsertedTextAndReportsTheEndOnce) {
  ProgramFixture f;
  NotepadWindow& notepad = *f.Windows().Notepad;
  SetText(notepad, "a a");
  MessageCatcher message;
  message.Arm();
  notepad.ReplaceAll("a", "aa", FindOptions{});
  EXPECT_EQ(notepad.Text()->toPlainText(), "aa aa");
  EXPECT_EQ(message.count, 1);
  EXPECT_EQ(message.text, "Кінець тексту досягнут.");
}

TEST(Notepad, ReplaceChangesTheFoundSelectionThenFindsTheNext) {
  ProgramFixture f;
  NotepadWindow& notepad = *f.Windows().Notepad;
  SetText(notepad, "cat cat");
  ASSERT_TRUE(notepad.FindNext("cat", FindOptions{}));
  notepad.Replace("cat", "dog", FindOptions{});
  EXPECT_EQ(notepad.Text()->toPlainText(), "dog cat");
  EXPECT_EQ(Selected(notepad), (Selection{4, 7}));
}

TEST(Notepad, ReplaceLeavesASelectionThatIsNotTheSearchedText) {
  ProgramFixture f;
  NotepadWindow& notepad = *f.Windows().Notepad;
  SetText(notepad, "cat dog cat");
  QTextCursor c = notepad.Text()->textCursor();
  c.setPosition(4);
  c.setPosition(7, QTextCursor::KeepAnchor);
  notepad.Text()->setTextCursor(c);
  notepad.Replace("cat", "cow", FindOptions{});
  EXPECT_EQ(notepad.Text()->toPlainText(), "cat dog cat");
  EXPECT_EQ(Selected(notepad), (Selection{8, 11}));
}

TEST(Notepad, TheReplaceDialogButtonsRunWithTheDialogsOptions) {
  ProgramFixture f;
  NotepadWindow& notepad = *f.Windows().Notepad;
  SetText(notepad, "Ab ab");
  notepad.OpenReplace();
  FindDialog& dialog = *notepad.Replacer();
  EXPECT_TRUE(dialog.isVisible());
  dialog.SearchEdit()->setText("ab");
  dialog.ReplaceEdit()->setText("x");
  dialog.MatchCaseBox()->setChecked(true);
  MessageCatcher message;
  message.Arm();
  dialog.ReplaceAllButton()->click();
  EXPECT_EQ(notepad.Text()->toPlainText(), "Ab x");
}

TEST(Notepad, FindDialogIsPresetToTheSelection) {
  ProgramFixture f;
  NotepadWindow& notepad = *f.Windows().Notepad;
  SetText(notepad, "alpha beta");
  QTextCursor c = notepad.Text()->textCursor();
  c.setPosition(6);
  c.setPosition(10, QTextCursor::KeepAnchor);
  notepad.Text()->setTextCursor(c);
  notepad.ToolButtons()[10]->click();
  EXPECT_TRUE(notepad.Finder()->isVisible());
  EXPECT_EQ(notepad.Finder()->SearchText(), "beta");
}

TEST(Notepad, ToolButtonsCarryTheirHintsInOrder) {
  ProgramFixture f;
  const std::vector<QString> hints = {
      "Створити новий текст",  "Відкрити файл",        "Зберегти файл",
      "Змінити колір фону",    "Змінити шрифт тексту", "Печать",
      "Відмінити останні дії", "Вирезати у буфер",     "Копіювати у буфер",
      "Вставити з буфера",     "Знайти текст",         "Знайти і замінити текст",
      "Зачинити вікно",
  };
  const auto& buttons = f.Windows().Notepad->ToolButtons();
  ASSERT_EQ(buttons.size(), hints.size());
  for (std::size_t i = 0; i < hints.size(); ++i) {
    EXPECT_EQ(buttons[i]->toolTip(), hints[i]) << i;
    EXPECT_EQ(buttons[i]->width(), 28) << i;
  }
  f.Main().Run(Command::Hints);
  EXPECT_TRUE(buttons[0]->toolTip().isEmpty());
}

TEST(Notepad, NewTextWithoutThePromptClearsAModifiedText) {
  ProgramFixture f;
  f.State().SetAskToSave(false);
  NotepadWindow& notepad = *f.Windows().Notepad;
  Type(notepad, "notes");
  ASSERT_TRUE(notepad.Modified());
  notepad.ToolButtons()[0]->click();
  EXPECT_TRUE(notepad.Text()->toPlainText().isEmpty());
  EXPECT_FALSE(notepad.Modified());
  EXPECT_EQ(notepad.windowTitle(), "Записна книжка - Noname.txt");
}

TEST(Notepad, NewTextCancelledAtThePromptKeepsTheText) {
  ProgramFixture f;
  NotepadWindow& notepad = *f.Windows().Notepad;
  Type(notepad, "notes");
  WhenModal([&](QWidget*) { f.Windows().SavePrompt->CancelButton()->click(); });
  notepad.NewText();
  EXPECT_EQ(notepad.Text()->toPlainText(), "notes");
}

TEST(Notepad, SaveAsksForANameOnceThenWritesToItAndTakesItsCaption) {
  ProgramFixture f;
  NotepadWindow& notepad = *f.Windows().Notepad;
  notepad.Text()->setPlainText("first");
  const std::string path = f.Path("notes.txt");
  f.answers.files.push_back(QString::fromStdString(path));
  notepad.ToolButtons()[2]->click();
  EXPECT_EQ(ReadAll(path), "first\n");
  EXPECT_EQ(notepad.windowTitle(), "Записна книжка - notes.txt");
  EXPECT_FALSE(notepad.Modified());
  EXPECT_EQ(f.answers.titles.back(), "Сохранение текстового файла...");
  notepad.Text()->setPlainText("second");
  notepad.SaveNotepad();
  EXPECT_EQ(ReadAll(path), "second\n");
  EXPECT_EQ(f.answers.titles.size(), 1u);
}

TEST(Notepad, OpenLoadsTheChosenFile) {
  ProgramFixture f;
  const std::string path = f.Path("read.txt");
  {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("line 1\r\nрядок 2\r\n");
  }
  f.answers.files.push_back(QString::fromStdString(path));
  NotepadWindow& notepad = *f.Windows().Notepad;
  notepad.OpenFile();
  EXPECT_EQ(notepad.Text()->toPlainText(), "line 1\nрядок 2\n");
  EXPECT_EQ(notepad.windowTitle(), "Записна книжка - read.txt");
  EXPECT_EQ(f.answers.titles.back(), "Чтение текстового файла...");
}

TEST(Notepad, FileColourAndFontComeBackAtTheNextStart) {
  ProgramFixture f;
  NotepadWindow* notepad = f.Windows().Notepad;
  const std::string path = f.Path("kept.txt");
  notepad->Text()->setPlainText("kept text");
  f.answers.files.push_back(QString::fromStdString(path));
  notepad->SaveNotepad();
  f.answers.colours.push_back(0x123456);
  notepad->ChangeColour();
  LabelFont font;
  font.FaceName = "DejaVu Serif";
  font.Height = -17;
  font.Italic = true;
  f.answers.fonts.push_back(font);
  notepad->ChangeFont();
  f.State().SetAskToSave(false);
  f.Main().close();
  f.Restart();
  notepad = f.Windows().Notepad;
  EXPECT_EQ(notepad->Text()->toPlainText(), "kept text\n");
  EXPECT_EQ(notepad->windowTitle(), "Записна книжка - kept.txt");
  EXPECT_EQ(notepad->Text()->palette().color(QPalette::Base), QColor(0x56, 0x34, 0x12));
  EXPECT_EQ(notepad->Text()->font().pixelSize(), 17);
  EXPECT_TRUE(notepad->Text()->font().italic());
}

TEST(Notepad, AModifiedTextIsSavedAtShutDownWhenTheDocumentIsSaved) {
  ProgramFixture f;
  NotepadWindow* notepad = f.Windows().Notepad;
  const std::string notes = f.Path("shut.txt");
  notepad->Text()->setPlainText("before");
  f.answers.files.push_back(QString::fromStdString(notes));
  notepad->SaveNotepad();
  Type(*notepad, "after");
  f.answers.files.push_back(QString::fromStdString(f.Path("doc.lwf")));
  WhenModal([&](QWidget*) { f.Windows().SavePrompt->YesButton()->click(); });
  f.Main().close();
  EXPECT_EQ(ReadAll(notes), "after\n");
}

TEST(Notepad, AModifiedTextIsNotSavedWhenTheDocumentIsNot) {
  ProgramFixture f;
  NotepadWindow* notepad = f.Windows().Notepad;
  const std::string notes = f.Path("kept.txt");
  notepad->Text()->setPlainText("before");
  f.answers.files.push_back(QString::fromStdString(notes));
  notepad->SaveNotepad();
  Type(*notepad, "after");
  WhenModal([&](QWidget*) { f.Windows().SavePrompt->NoButton()->click(); });
  f.Main().close();
  EXPECT_EQ(ReadAll(notes), "before\n");
}

TEST(Notepad, MenuCommandShowsItAndFocusesTheText) {
  ProgramFixture f;
  f.Main().Run(Command::Notepad);
  EXPECT_TRUE(f.Windows().Notepad->isVisible());
  f.Windows().Notepad->ToolButtons()[12]->click();
  EXPECT_FALSE(f.Windows().Notepad->isVisible());
}

TEST(Notepad, PrintsItsTextToAPdfFile) {
  ProgramFixture f;
  NotepadWindow& notepad = *f.Windows().Notepad;
  notepad.Text()->setPlainText("printed notes");
  const std::string pdf = f.Path("notes.pdf");
  f.answers.printFiles.push_back(QString::fromStdString(pdf));
  notepad.ToolButtons()[5]->click();
  EXPECT_EQ(ReadAll(pdf).substr(0, 5), "%PDF-");
}

struct MessageCase {
  const char* name;
  const char* text;
};

void PrintTo(const MessageCase& c, std::ostream* out) {
  *out << c.name;
}

class MessageWidth : public ::testing::TestWithParam<MessageCase> {};

TEST_P(MessageWidth, WindowIsTheTextWidthPlus20WithTheButtonCentred) {
  ProgramFixture f;
  MessageWindow& message = *f.Windows().Message;
  const QString text = QString::fromUtf8(GetParam().text);
  message.Prepare("Caption", text);
  const int textWidth = QFontMetrics(message.Label()->font()).horizontalAdvance(text);
  const int expected =
      std::max({textWidth + 20, message.OkButton()->width() + 20, message.CaptionWidth("Caption")});
  EXPECT_EQ(message.windowTitle(), "Caption");
  EXPECT_EQ(message.width(), expected);
  EXPECT_EQ(message.Label()->x(), 10);
  EXPECT_EQ(message.OkButton()->x(), (expected - message.OkButton()->width()) / 2);
  EXPECT_EQ(message.OkButton()->text(), "&Окей");
}

INSTANTIATE_TEST_SUITE_P(Texts, MessageWidth,
                         ::testing::Values(MessageCase{"EndOfText", "Кінець тексту досягнут."},
                                           MessageCase{"WiderThanAnyWindow",
                                                       "A much longer message text that is wider "
                                                       "than most windows of the program would "
                                                       "ever need to be"},
                                           MessageCase{"NarrowerThanTheButton", "ok"}),
                         CaseName());

TEST(MessageWindow, IsAtLeastAsWideAsItsCaption) {
  ProgramFixture f;
  MessageWindow& message = *f.Windows().Message;
  const QString caption = QStringLiteral("Знайти і замінити у записній книжці");
  message.Prepare(caption, "ok");
  const int captionText = QFontMetrics(message.font()).horizontalAdvance(caption);
  EXPECT_GT(message.width(), captionText);
  EXPECT_EQ(message.width(), message.CaptionWidth(caption));
}

TEST(MessageWindow, ShowsModallyUntilOkay) {
  ProgramFixture f;
  MessageWindow& message = *f.Windows().Message;
  bool wasModal = false;
  WhenModal([&](QWidget* modal) {
    wasModal = modal == &message;
    message.OkButton()->click();
  });
  message.ShowMessageBox("Title", "Text");
  EXPECT_TRUE(wasModal);
  EXPECT_FALSE(message.isVisible());
}

}  // namespace
}  // namespace lw::test
