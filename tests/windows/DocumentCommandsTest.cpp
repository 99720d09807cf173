// New, open, save and save as through the menu, with the save prompt.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "WindowsTestSupport.h"
#include "windows/ParamsWindow.h"
#include "windows/SavePromptWindow.h"

namespace lw::test {
namespace {

void AnswerPrompt(bool yes) {
  WhenModal([yes](QWidget* modal) {
    auto* prompt = dynamic_cast<SavePromptWindow*>(modal);
    ASSERT_NE(prompt, nullptr);
    (yes ? prompt->YesButton() : prompt->NoButton())->click();
  });
}

TEST(DocumentCommands, SaveAsThenOpenRestoresTheDocument) {
  ProgramFixture f;
  const std::string path = f.Path("doc.lwf");
  f.Windows().Params->Field(ParamField::ScaleX)->setText("7");
  f.Windows().Params->Field(ParamField::ScaleX)->textEdited("7");
  f.State().Edits().AddGraph2D("sin(x)", PlotP{0x0000FF, Function, 1, Equal});
  f.answers.files.push_back(QString::fromStdString(path));
  f.Main().Action(Command::SaveAs)->trigger();
  EXPECT_EQ(f.answers.titles.back(), "Збереження Файлу Linewright...");
  EXPECT_EQ(f.State().Status(), "Збереження - " + path + " - Окей");
  EXPECT_EQ(f.Main().windowTitle(), "Linewright - doc.lwf");
  EXPECT_TRUE(f.State().StatusTimerActive());

  f.Windows().Params->Field(ParamField::ScaleX)->setText("99");
  f.Windows().Params->Field(ParamField::ScaleX)->textEdited("99");
  f.State().Edits().CutGraph2D();
  ASSERT_TRUE(f.State().Doc().Graphs2D.Empty());

  AnswerPrompt(false);
  f.answers.files.push_back(QString::fromStdString(path));
  f.Main().Action(Command::Open)->trigger();
  EXPECT_EQ(f.answers.titles.back(), "Відкриття Файлу Linewright...");
  EXPECT_EQ(f.State().Status(), "Завантаження - " + path + " - Окей");
  EXPECT_EQ(f.Windows().Params->Field(ParamField::ScaleX)->text(), "7");
  ASSERT_EQ(f.State().Doc().Graphs2D.Count(), 1u);
  EXPECT_EQ(f.State().Doc().Graphs2D.Text(0), "sin(x)");
  f.State().SetAskToSave(false);
}

TEST(DocumentCommands, SaveOfAnUnnamedDocumentAsksForAName) {
  ProgramFixture f;
  f.Main().Action(Command::Save)->trigger();  // cancelled dialog: nothing written
  ASSERT_EQ(f.answers.titles.size(), 1u);
  EXPECT_EQ(f.Main().windowTitle(), "Linewright - Noname.lwf");
  f.answers.files.push_back(QString::fromStdString(f.Path("x.lwf")));
  f.Main().Action(Command::Save)->trigger();
  EXPECT_TRUE(QFile::exists(QString::fromStdString(f.Path("x.lwf"))));
  f.Main().Action(Command::Save)->trigger();  // named now: no dialog
  EXPECT_EQ(f.answers.titles.size(), 2u);
  f.State().SetAskToSave(false);
}

TEST(DocumentCommands, NewWithoutATemplateReportsAndBecomesUnnamed) {
  ProgramFixture f;
  ASSERT_TRUE(f.State().SaveSets(f.Path("named.lwf")));
  f.Main().Action(Command::AskToSave)->trigger();
  f.Main().Action(Command::New)->trigger();
  EXPECT_EQ(f.State().Status(), "Помилка завантаження файлу! - " + f.Path("Default.lwf"));
  EXPECT_EQ(f.Main().windowTitle(), "Linewright - Noname.lwf");
}

TEST(DocumentCommands, NewLoadsTheTemplateBesideTheProgram) {
  ProgramFixture f;
  f.State().Edits().SetField(ParamField::ScaleY, "12");
  ASSERT_TRUE(f.State().SaveSets(f.Path("Default.lwf")));
  f.State().Edits().SetField(ParamField::ScaleY, "5");
  AnswerPrompt(false);
  f.Main().Action(Command::New)->trigger();
  EXPECT_EQ(f.State().Doc().Params.Field(ParamField::ScaleY), "12");
  EXPECT_EQ(f.Windows().Params->Field(ParamField::ScaleY)->text(), "12");
  EXPECT_EQ(f.Main().windowTitle(), "Linewright - Noname.lwf");
  f.State().SetAskToSave(false);
}

TEST(DocumentCommands, AnUnknownFileLeavesTheDocumentAlone) {
  ProgramFixture f;
  QFile bad(QString::fromStdString(f.Path("bad.lwf")));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("lwf\n");
  bad.close();
  f.State().Edits().SetField(ParamField::ScaleX, "3");
  f.State().SetAskToSave(false);
  f.answers.files.push_back(bad.fileName());
  f.Main().Action(Command::Open)->trigger();
  EXPECT_EQ(f.State().Status(), "Невідомий формат Файлу! - " + f.Path("bad.lwf"));
  EXPECT_EQ(f.State().Doc().Params.Field(ParamField::ScaleX), "3");
}

TEST(DocumentCommands, YesOnClosingAnUnnamedDocumentAsksForANameAndSaves) {
  ProgramFixture f;
  f.State().Edits().SetField(ParamField::ScaleX, "17");
  f.answers.files.push_back(QString::fromStdString(f.Path("last.lwf")));
  AnswerPrompt(true);
  EXPECT_TRUE(f.Main().close());
  EXPECT_TRUE(QFile::exists(QString::fromStdString(f.Path("last.lwf"))));
  // The next start reopens it.
  f.Restart();
  EXPECT_EQ(f.State().Doc().Params.Field(ParamField::ScaleX), "17");
  EXPECT_EQ(f.Main().windowTitle(), "Linewright - last.lwf");
  EXPECT_EQ(f.Windows().Params->Field(ParamField::ScaleX)->text(), "17");
  f.State().SetAskToSave(false);
}

}  // namespace
}  // namespace lw::test
