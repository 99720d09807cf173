#include "app/DocumentSession.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "TempDir.h"
#include "document/SettingsFile.h"

namespace lw {
namespace {

using testing::ReadAll;
using testing::TempDir;
using testing::WriteAll;

// Plays the dialogs from a script and records what the session showed.
class ScriptedUi : public DocumentUi {
 public:
  std::deque<PromptAnswer> answers;
  std::deque<std::optional<std::string>> openChoices;
  std::deque<std::optional<std::string>> saveChoices;
  int prompts = 0;
  int replaced = 0;
  std::string caption;

  PromptAnswer AskToSaveChanges() override {
    ++prompts;
    return Next(answers);
  }
  std::optional<std::string> ChooseFileToOpen() override { return Next(openChoices); }
  std::optional<std::string> ChooseFileToSave() override { return Next(saveChoices); }
  void DocumentReplaced() override { ++replaced; }
  void CaptionChanged(const std::string& text) override { caption = text; }

 private:
  template <class T>
  static T Next(std::deque<T>& queue) {
    EXPECT_FALSE(queue.empty()) << "an unexpected dialog";
    if (queue.empty()) return T{};
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

class DocumentSessionTest : public ::testing::Test {
 protected:
  DocumentSessionTest() : session(document, status, ui, dir.File("")) {}

  std::string SaveSample(const std::string& name) {
    Document d;
    d.Params.Field(ParamField::XEnd) = "44";
    d.Graphs2D.Append("a", PlotP{1, Function, 0, Equal});
    d.Graphs2D.Append("b", PlotP{2, Function, 0, Equal});
    const std::string path = dir.File(name);
    EXPECT_EQ(SaveSettingsFile(path, d), FileResult::Ok);
    return path;
  }

  TempDir dir;
  Document document;
  RecordingStatus status;
  ScriptedUi ui;
  DocumentSession session;
};

TEST_F(DocumentSessionTest, StartsUnnamed) {
  EXPECT_EQ(session.CurrentFileName(), "");
  EXPECT_EQ(session.Caption(), "Linewright - Noname.lwf");
}

TEST_F(DocumentSessionTest, SaveSetsReportsAndNamesTheDocument) {
  const std::string path = dir.File("Мій графік.lwf");
  ASSERT_TRUE(session.SaveSets(path));
  EXPECT_EQ(status.Text(), "Збереження - " + path + " - Окей");
  EXPECT_EQ(status.TimerStarts(), 1);
  EXPECT_EQ(session.CurrentFileName(), path);
  EXPECT_EQ(ui.caption, "Linewright - Мій графік.lwf");
}

TEST_F(DocumentSessionTest, FailedSaveChangesNothingButTheStatus) {
  const std::string path = dir.File("no/such/folder.lwf");
  EXPECT_FALSE(session.SaveSets(path));
  EXPECT_EQ(status.Text(), "Помилка збереження файлу! - " + path);
  EXPECT_EQ(status.TimerStarts(), 0);
  EXPECT_EQ(session.CurrentFileName(), "");
}

TEST_F(DocumentSessionTest, LoadSetsReplacesTheDocumentAndSelectsFirstGraphs) {
  const std::string path = SaveSample("a.lwf");
  session.Graphs2D().Select(0);
  ASSERT_TRUE(session.LoadSets(path));
  EXPECT_EQ(status.Text(), "Завантаження - " + path + " - Окей");
  EXPECT_EQ(status.TimerStarts(), 1);
  EXPECT_EQ(document.Params.Field(ParamField::XEnd), "44");
  EXPECT_EQ(session.Graphs2D().Selection(), 0u);
  EXPECT_EQ(session.Graphs3D().Selection(), std::nullopt);
  EXPECT_EQ(ui.replaced, 1);
  EXPECT_EQ(ui.caption, "Linewright - a.lwf");
}

TEST_F(DocumentSessionTest, LoadFailuresKeepTheDocument) {
  WriteAll(dir.File("bad.lwf"), "lwf\n");
  WriteAll(dir.File("cut.lwf"), "LWF\n1\n2\n");
  document.Params.Field(ParamField::ScaleX) = "7";
  const Document before = document;
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {dir.File("none.lwf"), "Помилка завантаження файлу! - " + dir.File("none.lwf")},
      {dir.File("bad.lwf"), "Невідомий формат Файлу! - " + dir.File("bad.lwf")},
      {dir.File("cut.lwf"), "Невідомий формат Файлу! - " + dir.File("cut.lwf")},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(session.LoadSets(c.path));
    EXPECT_EQ(status.Text(), c.message);
    EXPECT_EQ(document, before);
    EXPECT_EQ(session.CurrentFileName(), "");
  }
  EXPECT_EQ(ui.replaced, 0);
  EXPECT_EQ(status.TimerStarts(), 0);
}

TEST_F(DocumentSessionTest, NewFromTemplateLoadsItAndStaysUnnamed) {
  std::filesystem::copy_file(LW_TEMPLATE_PATH, dir.File("Default.lwf"));
  session.SaveSets(dir.File("x.lwf"));
  document.Params.Field(ParamField::ScaleX) = "7";
  ui.answers = {PromptAnswer::No};
  session.NewFromTemplate();
  EXPECT_EQ(document, Document{});
  EXPECT_EQ(session.CurrentFileName(), "");
  EXPECT_EQ(ui.caption, "Linewright - Noname.lwf");
}

TEST_F(DocumentSessionTest, NewWithoutTemplateKeepsContentButForgetsTheName) {
  session.SaveSets(dir.File("x.lwf"));
  document.Params.Field(ParamField::ScaleX) = "7";
  session.SetAskToSave(false);
  session.NewFromTemplate();
  EXPECT_EQ(status.Text(), "Помилка завантаження файлу! - " + session.TemplatePath());
  EXPECT_EQ(document.Params.Field(ParamField::ScaleX), "7");
  EXPECT_EQ(ui.caption, "Linewright - Noname.lwf");
  // So the next save asks for a name instead of overwriting x.lwf.
  ui.saveChoices = {std::nullopt};
  session.Save();
  EXPECT_TRUE(ui.saveChoices.empty());
}

TEST_F(DocumentSessionTest, PromptAnswersDecideWhetherTheCommandGoesOn) {
  const std::string path = SaveSample("a.lwf");
  // Cancel abandons the open: no file dialog, nothing loaded.
  ui.answers = {PromptAnswer::Cancel};
  session.Open();
  EXPECT_EQ(document, Document{});
  // No: straight on to the open dialog.
  ui.answers = {PromptAnswer::No};
  ui.openChoices = {path};
  session.Open();
  EXPECT_EQ(session.CurrentFileName(), path);
  // Yes: saves first (to the current file), then goes on; cancelling the open
  // dialog then loads nothing.
  document.Params.Field(ParamField::ScaleY) = "3";
  ui.answers = {PromptAnswer::Yes};
  ui.openChoices = {std::nullopt};
  session.Open();
  Document saved;
  ASSERT_EQ(LoadSettingsFile(path, saved), FileResult::Ok);
  EXPECT_EQ(saved.Params.Field(ParamField::ScaleY), "3");
  EXPECT_EQ(ui.prompts, 3);
}

TEST_F(DocumentSessionTest, YesOnAnUnnamedDocumentAsksForANameAndGoesOnEvenIfCancelled) {
  ui.answers = {PromptAnswer::Yes};
  ui.saveChoices = {std::nullopt};
  EXPECT_EQ(session.ConfirmDiscard(), PromptOutcome::GoOnAfterSave);
  EXPECT_TRUE(ui.saveChoices.empty());
}

TEST_F(DocumentSessionTest, PromptIsShownEveryTimeWhileTheOptionIsOn) {
  session.SaveSets(dir.File("a.lwf"));
  ui.answers = {PromptAnswer::No, PromptAnswer::Cancel};
  EXPECT_EQ(session.ConfirmDiscard(), PromptOutcome::GoOn);
  EXPECT_EQ(session.ConfirmDiscard(), PromptOutcome::Abandon);
  session.SetAskToSave(false);
  EXPECT_EQ(session.ConfirmDiscard(), PromptOutcome::GoOn);
  EXPECT_EQ(ui.prompts, 2);
}

TEST_F(DocumentSessionTest, SaveUsesTheCurrentNameAndSaveAsAsks) {
  ui.saveChoices = {dir.File("first.lwf")};
  session.Save();
  EXPECT_EQ(session.CurrentFileName(), dir.File("first.lwf"));
  session.Save();  // no dialog this time
  ui.saveChoices = {dir.File("second.lwf")};
  session.SaveAs();
  EXPECT_EQ(session.CurrentFileName(), dir.File("second.lwf"));
  EXPECT_TRUE(std::filesystem::exists(dir.File("second.lwf")));
}

TEST(PaletteCommands, StatusTexts) {
  TempDir dir;
  RecordingStatus status;
  Palette palette = StartupPalette();
  const std::string path = dir.File("p.plt");
  ASSERT_TRUE(SavePaletteCommand(path, palette, status));
  EXPECT_EQ(status.Text(), "Збереження Палітри - " + path + " - Окей");
  Palette loaded;
  ASSERT_TRUE(LoadPaletteCommand(path, loaded, status));
  EXPECT_EQ(status.Text(), "Завантаження Палітри - " + path + " - Окей");
  EXPECT_EQ(loaded, palette);
  EXPECT_EQ(status.TimerStarts(), 2);
  EXPECT_FALSE(LoadPaletteCommand(dir.File("none.plt"), loaded, status));
  EXPECT_EQ(status.Text(), "Помилка завантаження файлу Палітри! - " + dir.File("none.plt"));
  EXPECT_FALSE(SavePaletteCommand(dir.File("no/p.plt"), loaded, status));
  EXPECT_EQ(status.Text(), "Помилка збереження файлу Палітри! - " + dir.File("no/p.plt"));
  EXPECT_EQ(status.TimerStarts(), 2);
}

}  // namespace
}  // namespace lw
