// The constants the user drags: the adjustable constants of the 2D and 3D
// constants lists, their slider ranges, the rewriting of a constant's line when its
// value moves, the rebuild that follows, and the play that sweeps a constant between
// its bounds and back. No widgets: the slider window shows and forwards.
#pragma once

#include <QTimer>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/Program.h"
#include "app/RebuildRequest.h"
#include "document/ConstantLines.h"
#include "document/Feedback.h"

namespace lw {

inline constexpr std::string_view BadRangeText =
    "Помилка вводу меж повзунка: нижня межа має бути меншою за верхню, крок - додатним і не "
    "більшим за проміжок";

// Who shows the sliders hears of changes here, besides the program's own notices.
class ConstantSlidersObserver {
 public:
  virtual ~ConstantSlidersObserver() = default;
  virtual void PlayChanged() {}
};

class ConstantSliders : public ProgramObserver {
 public:
  explicit ConstantSliders(Program& program);
  ~ConstantSliders() override;
  ConstantSliders(const ConstantSliders&) = delete;
  ConstantSliders& operator=(const ConstantSliders&) = delete;

  void SetObserver(ConstantSlidersObserver* observer) { observer_ = observer; }

  // The non-blank lines of the space's constants list, adjustable or not.
  std::vector<ConstantLine> Constants(bool threeD) const;
  // The slider range of an adjustable constant: what the user set, else the default
  // around its value when it was first moved from here, else around its value now.
  SliderRange Range(bool threeD, char name) const;
  // Refuses (status text, false) a range a slider cannot walk.
  bool SetRange(bool threeD, char name, const SliderRange& range);

  // Rewrites the line of an adjustable constant with value and asks for the graphs of
  // its space to be built again. False when the line is not adjustable. A typed value
  // drops the build still running for an older one; the steps of a moving slider let
  // it finish, so that pictures keep coming while the slider moves faster than they
  // are built.
  bool SetValue(bool threeD, std::size_t line, double value,
                RunningBuild running = RunningBuild::Drop);

  // Sweeps the constant on line between its bounds and back, stepsPerSecond slider
  // steps a second, starting from its current value.
  bool StartPlay(bool threeD, std::size_t line, int stepsPerSecond);
  void StopPlay();
  bool Playing() const { return play_.has_value(); }
  // The line being swept.
  std::optional<std::pair<bool, std::size_t>> PlayedLine() const;
  void SetPlaySpeed(int stepsPerSecond);
  // One step of the play, as its timer makes it.
  void AdvancePlay();

  RebuildRequest& Rebuilds() { return rebuild_; }

  // ProgramObserver: a replaced document forgets the ranges; any change that did not
  // come from here ends a play.
  void DocumentChanged() override;
  void ParametersChanged() override;
  void SpaceChanged() override;
  void GraphsChanged() override;
  // The build started here (or other work) has ended: the next value may build.
  void WorkChanged() override;

 private:
  struct Play {
    bool threeD = false;
    std::size_t line = 0;
    char name = 0;
    int step = 0;
    int direction = 1;
  };
  void Build(RebuildSpace space);
  void RestoreProgress();
  std::optional<ConstantLine> Adjustable(bool threeD, std::size_t line) const;

  Program& program_;
  ConstantSlidersObserver* observer_ = nullptr;
  // A range stays put while its constant moves; one the user did not type follows
  // a value changed elsewhere.
  struct KeptRange {
    SliderRange range;
    bool typed = false;
  };
  void KeepRange(bool threeD, const ConstantLine& constant);
  std::map<std::pair<bool, char>, KeptRange> ranges_;
  RebuildRequest rebuild_;
  SilentProgress silent_;
  ProgressSink* programProgress_ = nullptr;  // while a slider's build runs
  QTimer playTimer_;
  std::optional<Play> play_;
  bool writing_ = false;
};

// Interval of the play timer for a speed in steps a second (1..1000).
int PlayInterval(int stepsPerSecond);

}  // namespace lw
