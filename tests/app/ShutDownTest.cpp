// Closing the program while work runs: the close request returns at once, the work
// is asked to stop, and once it has ended the close goes on as one without work
// (save prompt, then the options file).
#include "app/ShutDown.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <atomic>
#include <chrono>
#include <deque>
#include <thread>

#include "CaseNames.h"
#include "TempDir.h"

namespace lw {
namespace {

using testing::TempDir;

// How long a job takes to end once asked: a job that cannot stop at once. The close
// request must not wait for it.
constexpr auto kLingerAfterStop = std::chrono::milliseconds(300);

class ScriptedQuestions : public UserQuestions {
 public:
  PromptAnswer AskToSaveChanges() override {
    asked.push_back(busy());
    if (answers.empty()) return PromptAnswer::Cancel;
    const PromptAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<std::string> ChooseFileToOpen() override { return std::nullopt; }
  std::optional<std::string> ChooseFileToSave() override { return std::nullopt; }

  std::function<bool()> busy;
  std::deque<PromptAnswer> answers;
  std::vector<bool> asked;  // whether work ran at each question
};

class Closing : public ::testing::Test {
 protected:
  Closing()
      : program(dir.File("")),
        shutDown(program,
                 {[] {
                    return WindowPlacement{{10, 320, 20, 240}, true};
                  },
                  [this] { ++notepadSaves; }, [this] { outcomes.push_back(shutDown.Request()); }}) {
    questions.busy = [this] { return program.Busy(); };
    program.SetQuestions(&questions);
  }
  ~Closing() override { program.SetQuestions(nullptr); }

  // Work that runs until asked to stop, and then a while longer.
  void StartLingeringJob() {
    ASSERT_TRUE(program.StartWork(
        [](WorkControl& control, WorkFeedback&) {
          while (!control.StopRequested())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
          std::this_thread::sleep_for(kLingerAfterStop);
        },
        [this](bool) { jobsEnded++; }));
  }
  // Runs the event loop until the close has been asked for again, or 3 s.
  void RunUntilClosedAgain() {
    QElapsedTimer clock;
    clock.start();
    while (outcomes.empty() && clock.elapsed() < 3000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
  }
  bool OptionsWritten() const {
    return QFile::exists(QString::fromStdString(program.OptionsPath()));
  }

  TempDir dir;
  Program program;
  ScriptedQuestions questions;
  int notepadSaves = 0;
  int jobsEnded = 0;
  std::vector<ShutDown::Outcome> outcomes;
  ShutDown shutDown;
};

TEST_F(Closing, WithoutWorkAsksWritesTheOptionsAndCloses) {
  questions.answers = {PromptAnswer::No};
  EXPECT_EQ(shutDown.Request(), ShutDown::Outcome::Close);
  EXPECT_EQ(questions.asked, std::vector<bool>{false});
  EXPECT_TRUE(OptionsWritten());
  EXPECT_EQ(ReadOptionsFile(program.OptionsPath()).Width, 320);
}

TEST_F(Closing, WhileWorkRunsReturnsAtOnceAndClosesWhenItHasEnded) {
  questions.answers = {PromptAnswer::No};
  StartLingeringJob();
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(shutDown.Request(), ShutDown::Outcome::Waiting);
  EXPECT_LT(clock.elapsed(), kLingerAfterStop.count() / 2);
  EXPECT_TRUE(shutDown.Waiting());
  // Nothing of the close has happened yet: the work's result is still to come.
  EXPECT_TRUE(questions.asked.empty());
  EXPECT_FALSE(OptionsWritten());
  RunUntilClosedAgain();
  EXPECT_EQ(outcomes, std::vector{ShutDown::Outcome::Close});
  EXPECT_EQ(jobsEnded, 1);
  EXPECT_EQ(questions.asked, std::vector<bool>{false});  // asked after the work ended
  EXPECT_TRUE(OptionsWritten());
  EXPECT_FALSE(shutDown.Waiting());
}

struct PromptCase {
  const char* name;
  PromptAnswer answer;
  ShutDown::Outcome outcome;
  bool optionsWritten;
  int notepadSaves;
};

void PrintTo(const PromptCase& c, std::ostream* out) {
  *out << c.name;
}

class ClosingPrompt : public Closing, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(ClosingPrompt, AfterTheWorkTheAnswerDecidesAsInAnyClose) {
  const PromptCase& c = GetParam();
  questions.answers = {c.answer};
  StartLingeringJob();
  ASSERT_EQ(shutDown.Request(), ShutDown::Outcome::Waiting);
  RunUntilClosedAgain();
  EXPECT_EQ(outcomes, std::vector{c.outcome});
  EXPECT_EQ(OptionsWritten(), c.optionsWritten);
  EXPECT_EQ(notepadSaves, c.notepadSaves);
  EXPECT_FALSE(program.Busy());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ClosingPrompt,
    ::testing::Values(PromptCase{"Yes", PromptAnswer::Yes, ShutDown::Outcome::Close, true, 1},
                      PromptCase{"No", PromptAnswer::No, ShutDown::Outcome::Close, true, 0},
                      PromptCase{"Cancel", PromptAnswer::Cancel, ShutDown::Outcome::Stay, false,
                                 0}),
    test::CaseName());

TEST_F(Closing, WorkStartedByTheEndedWorkIsStoppedToo) {
  program.SetAskToSave(false);
  // As a queued rebuild starts when the running one ends.
  ASSERT_TRUE(program.StartWork(
      [](WorkControl& control, WorkFeedback&) {
        while (!control.StopRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      },
      [this](bool) {
        ++jobsEnded;
        StartLingeringJob();
      }));
  ASSERT_EQ(shutDown.Request(), ShutDown::Outcome::Waiting);
  RunUntilClosedAgain();
  EXPECT_EQ(jobsEnded, 2);
  EXPECT_EQ(outcomes, std::vector{ShutDown::Outcome::Close});
  EXPECT_TRUE(OptionsWritten());
}

}  // namespace
}  // namespace lw
