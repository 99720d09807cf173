// The history model alone: typed parts grow one step, groups and bursts make one
// step, the memory limit drops the oldest steps, and what undo and redo hand back
// is exactly what was recorded.
#include "app/DocumentHistory.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "document/SettingsFormat.h"

namespace lw {
namespace {

using namespace std::chrono_literals;
using Time = std::chrono::steady_clock::time_point;

// A clock the test moves by hand.
struct FakeClock {
  Time now{std::chrono::hours(1)};
  DocumentHistory::Clock Get() {
    return [this] { return now; };
  }
};

DocumentState WithField(DocumentState state, ParamField field, const std::string& text) {
  state.Doc.Params.Field(field) = text;
  return state;
}

std::string Bytes(const DocumentState& state) {
  std::string bytes;
  EXPECT_EQ(EncodeSettings(state.Doc, bytes), SettingsEncodeResult::Ok);
  return bytes;
}

// ----- which changes typing repeats -----

struct KeyCase {
  std::string name;
  std::function<void(DocumentState&)> change;
  std::string key;  // empty: the change never grows a step
};

class TypingKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TypingKeys, NameThePartATypedChangeTouched) {
  const DocumentState before;
  DocumentState after = before;
  GetParam().change(after);
  EXPECT_EQ(TypingKey(before, after), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, TypingKeys,
    ::testing::Values(
        KeyCase{"one_field", [](DocumentState& s) { s.Doc.Params.Field(ParamField::XEnd) = "7"; },
                "field 4"},
        KeyCase{"two_fields",
                [](DocumentState& s) {
                  s.Doc.Params.Field(ParamField::XEnd) = "7";
                  s.Doc.Params.Field(ParamField::XStart) = "-7";
                },
                ""},
        KeyCase{"constants_2D", [](DocumentState& s) { s.Doc.Params.Constants2D = {"A=1"}; },
                "constants 2D"},
        KeyCase{"constants_3D", [](DocumentState& s) { s.Doc.Params.Constants3D = {"B=2"}; },
                "constants 3D"},
        KeyCase{"a_flag", [](DocumentState& s) { s.Doc.Params.Centering = false; }, ""},
        KeyCase{"field_and_flag",
                [](DocumentState& s) {
                  s.Doc.Params.Field(ParamField::StepX) = "1";
                  s.Doc.Params.AutoScale = false;
                },
                ""},
        KeyCase{"axes_width", [](DocumentState& s) { s.Doc.Appearance.AxesLineWidth = 3; },
                "appearance 0"},
        KeyCase{"sensitivity_rZ", [](DocumentState& s) { s.Doc.Appearance.SensitivityRZ = 5; },
                "appearance 7"},
        KeyCase{"a_colour", [](DocumentState& s) { s.Doc.Appearance.GridColor = 1; }, ""},
        KeyCase{"a_graph", [](DocumentState& s) { s.Doc.Graphs2D.Append("x", PlotP{}); }, ""},
        KeyCase{"a_3D_graph", [](DocumentState& s) { s.Doc.Graphs3D.Append("x", PlotP3d{}); }, ""},
        KeyCase{"the_palette", [](DocumentState& s) { s.Colours.Set(4, 0x123456); }, ""}),
    test::CaseName());

// ----- steps -----

TEST(DocumentHistory, UndoAndRedoHandBackExactlyWhatWasRecorded) {
  DocumentState start;
  start.Doc.Graphs2D.Append("sin(x)", PlotP{0xFF, Relation, 1, Less});
  DocumentHistory history(start);
  DocumentState edited = start;
  edited.Doc.Graphs2D.Append("cos(x)", PlotP{0xFF00, Function, 0, Equal});
  ASSERT_TRUE(history.Record(edited));
  EXPECT_FALSE(history.Record(edited)) << "no change, no step";
  const auto undone = history.Undo();
  ASSERT_TRUE(undone);
  EXPECT_EQ(Bytes(undone->state), Bytes(start));
  const auto redone = history.Redo();
  ASSERT_TRUE(redone);
  EXPECT_EQ(Bytes(redone->state), Bytes(edited));
  EXPECT_FALSE(history.Redo());
}

TEST(DocumentHistory, KeystrokesInOneFieldAreOneStepAndAnotherFieldIsTheNext) {
  const DocumentState start;
  DocumentHistory history(start);
  DocumentState s = start;
  for (const char* typed : {"2", "25", "250"}) {
    s = WithField(s, ParamField::XEnd, typed);
    history.Record(s);
  }
  const DocumentState afterXEnd = s;
  for (const char* typed : {"-", "-2"}) {
    s = WithField(s, ParamField::XStart, typed);
    history.Record(s);
  }
  s = WithField(s, ParamField::XEnd, "2500");  // back in the first field: a new edit
  history.Record(s);
  EXPECT_EQ(history.UndoCount(), 3u);
  history.Undo();
  history.Undo();
  EXPECT_EQ(history.Current(), afterXEnd);
  history.Undo();
  EXPECT_EQ(history.Current(), start);
}

TEST(DocumentHistory, TypingAFieldBackToItsTextLeavesNoStep) {
  const DocumentState start;
  DocumentHistory history(start);
  history.Record(WithField(start, ParamField::ScaleX, "100"));
  history.Record(WithField(start, ParamField::ScaleX, "10"));
  EXPECT_EQ(history.UndoCount(), 0u);
}

TEST(DocumentHistory, AFinishedTypingStepIsNotGrownAgain) {
  const DocumentState start;
  DocumentHistory history(start);
  history.Record(WithField(start, ParamField::ScaleX, "1"));
  history.EndTyping();  // a build read the field
  history.Record(WithField(start, ParamField::ScaleX, "12"));
  EXPECT_EQ(history.UndoCount(), 2u);
}

TEST(DocumentHistory, AChangeAfterUndoEndsWhatCouldBeRedone) {
  const DocumentState start;
  DocumentHistory history(start);
  history.Record(WithField(start, ParamField::PosX, "1"));
  history.Record(WithField(WithField(start, ParamField::PosX, "1"), ParamField::PosY, "2"));
  history.Undo();
  history.Undo();
  EXPECT_EQ(history.RedoCount(), 2u);
  history.Record(WithField(start, ParamField::PosZ, "3"));
  EXPECT_EQ(history.RedoCount(), 0u);
  EXPECT_EQ(history.UndoCount(), 1u);
}

TEST(DocumentHistory, TypingAfterUndoStartsANewStep) {
  const DocumentState start;
  DocumentHistory history(start);
  history.Record(WithField(start, ParamField::PosX, "1"));
  history.Record(WithField(start, ParamField::PosY, "2"));
  history.Undo();  // back to PosX = 1, a step made by typing PosX
  history.Record(WithField(WithField(start, ParamField::PosX, "1"), ParamField::PosX, "12"));
  EXPECT_EQ(history.UndoCount(), 2u);
}

// ----- groups and bursts -----

struct BurstCase {
  std::string name;
  std::string secondKey;
  std::chrono::milliseconds pause;
  bool somethingBetween;
  std::size_t steps;
};

class Bursts : public ::testing::TestWithParam<BurstCase> {};

// Two groups of three changes each, made as a gesture makes them.
TEST_P(Bursts, JoinWhenTheyShareAKeyAndFollowClosely) {
  const BurstCase& c = GetParam();
  FakeClock clock;
  const DocumentState start;
  DocumentHistory history(start, DocumentHistory::DefaultMemoryLimit, clock.Get());
  DocumentState s = start;
  int n = 0;
  auto burst = [&](const std::string& key) {
    history.BeginGroup(key);
    for (ParamField f : {ParamField::XStart, ParamField::XEnd, ParamField::YStart}) {
      s = WithField(s, f, std::to_string(++n));
      history.Record(s);
      clock.now += 5ms;
    }
    history.EndGroup();
  };
  burst("wheel");
  clock.now += c.pause;
  if (c.somethingBetween) {
    s.Doc.Params.XorDrawing = !s.Doc.Params.XorDrawing;
    history.Record(s);
  }
  burst(c.secondKey);
  EXPECT_EQ(history.UndoCount(), c.steps);
  while (history.Undo()) {
  }
  EXPECT_EQ(history.Current(), start);
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, Bursts,
    ::testing::Values(BurstCase{"same_key_soon_after", "wheel", 200ms, false, 1},
                      BurstCase{"same_key_just_in_time", "wheel", 990ms, false, 1},
                      BurstCase{"same_key_too_late", "wheel", 1500ms, false, 2},
                      BurstCase{"another_key", "drag", 10ms, false, 2},
                      BurstCase{"unkeyed_second_group", "", 10ms, false, 2},
                      BurstCase{"another_change_between", "wheel", 10ms, true, 3}),
    test::CaseName());

TEST(DocumentHistory, AnUnkeyedGroupIsOneStepAndNestedPairsCountOnce) {
  const DocumentState start;
  DocumentHistory history(start);
  DocumentState s = start;
  history.BeginGroup();
  history.BeginGroup();
  s = WithField(s, ParamField::XStart, "-1");
  history.Record(s);
  history.EndGroup();
  EXPECT_TRUE(history.InGroup());
  s.Doc.Params.Centering = false;
  history.Record(s);
  history.EndGroup();
  EXPECT_FALSE(history.InGroup());
  s = WithField(s, ParamField::XStart, "-2");  // after the group: a step of its own
  history.Record(s);
  EXPECT_EQ(history.UndoCount(), 2u);
}

TEST(DocumentHistory, AnUnkeyedGroupNeverJoinsTheGroupBefore) {
  const DocumentState start;
  DocumentHistory history(start);
  for (const char* text : {"1", "2"}) {
    history.BeginGroup();
    history.Record(WithField(start, ParamField::PosX, text));
    history.EndGroup();
  }
  EXPECT_EQ(history.UndoCount(), 2u);
}

TEST(DocumentHistory, ARebuildNotedIsHandedBackByUndoAndRedo) {
  const DocumentState start;
  DocumentHistory history(start);
  history.Record(WithField(start, ParamField::XEnd, "5"));
  history.NoteRebuild(Rebuild2D);
  history.Record(WithField(WithField(start, ParamField::XEnd, "5"), ParamField::StepX, "1"));
  EXPECT_EQ(history.Undo()->rebuild, RebuildNone) << "a field edit rebuilds nothing";
  EXPECT_EQ(history.Undo()->rebuild, Rebuild2D);
  EXPECT_EQ(history.Redo()->rebuild, Rebuild2D);
  history.NoteRebuild(Rebuild3D);  // no change was recorded since the redo
  history.Undo();
  EXPECT_EQ(history.Redo()->rebuild, Rebuild2D);
}

// ----- memory -----

TEST(DocumentHistory, TheMemoryLimitDropsTheOldestSteps) {
  DocumentState big;
  for (int i = 0; i < 10; ++i) big.Doc.Graphs2D.Append(std::string(900, 'x'), PlotP{});
  const std::size_t limit = StateSize(big) * 4 + StateSize(big) / 2;
  DocumentHistory history(big, limit);
  std::vector<DocumentState> states{big};
  for (int i = 0; i < 10; ++i) {
    DocumentState next = states.back();
    next.Doc.Params.Field(ParamField::XEnd) = std::to_string(100 + i);
    next.Doc.Params.Centering = !next.Doc.Params.Centering;  // no typing: a step each
    history.Record(next);
    states.push_back(next);
    EXPECT_LE(history.MemoryUsed(), limit);
  }
  EXPECT_EQ(history.UndoCount(), 3u);
  while (history.Undo()) {
  }
  EXPECT_EQ(history.Current(), states[states.size() - 4]) << "the newest steps stay";
  while (history.Redo()) {
  }
  EXPECT_EQ(history.Current(), states.back());
}

TEST(DocumentHistory, AStateLargerThanTheLimitIsStillTheCurrentOne) {
  DocumentState big;
  big.Doc.Graphs3D.Append(std::string(5000, 'z'), PlotP3d{});
  DocumentHistory history(DocumentState{}, 1000);
  history.Record(big);
  EXPECT_EQ(history.UndoCount(), 0u);
  EXPECT_EQ(history.Current(), big);
}

TEST(DocumentHistory, ResetForgetsEveryStep) {
  const DocumentState start;
  DocumentHistory history(start);
  history.Record(WithField(start, ParamField::VarX, "T"));
  const DocumentState opened = WithField(start, ParamField::VarY, "S");
  history.Reset(opened);
  EXPECT_EQ(history.UndoCount(), 0u);
  EXPECT_EQ(history.RedoCount(), 0u);
  EXPECT_EQ(history.Current(), opened);
  EXPECT_EQ(history.MemoryUsed(), StateSize(opened));
}

}  // namespace
}  // namespace lw
