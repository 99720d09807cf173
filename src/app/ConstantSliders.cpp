#include "app/ConstantSliders.h"

#include <algorithm>

#include "app/Program2D.h"
#include "app/Program3D.h"
#include "document/Feedback.h"

namespace lw {

namespace {

const std::vector<std::string>& ListOf(const Program& program, bool threeD) {
  const BuildParameters& p = program.Doc().Params;
  return threeD ? p.Constants3D : p.Constants2D;
}

}  // namespace

int PlayInterval(int stepsPerSecond) {
  return 1000 / std::clamp(stepsPerSecond, 1, 1000);
}

ConstantSliders::ConstantSliders(Program& program)
    : program_(program),
      rebuild_(RebuildRunner{[this](RebuildSpace space) { Build(space); },
                             [this] { return program_.Busy(); }, [this] { program_.DropWork(); }}) {
  playTimer_.setInterval(PlayInterval(10));
  QObject::connect(&playTimer_, &QTimer::timeout, [this] { AdvancePlay(); });
  program_.Observers().Add(this);
}

ConstantSliders::~ConstantSliders() {
  RestoreProgress();
  program_.Observers().Remove(this);
}

std::vector<ConstantLine> ConstantSliders::Constants(bool threeD) const {
  return ListConstants(ListOf(program_, threeD));
}

std::optional<ConstantLine> ConstantSliders::Adjustable(bool threeD, std::size_t line) const {
  for (const ConstantLine& c : Constants(threeD)) {
    if (c.line == line && c.adjustable) return c;
  }
  return std::nullopt;
}

SliderRange ConstantSliders::Range(bool threeD, char name) const {
  const auto kept = ranges_.find({threeD, name});
  if (kept != ranges_.end()) return kept->second.range;
  for (const ConstantLine& c : Constants(threeD)) {
    if (c.name == name && c.adjustable) return DefaultRange(c.value);
  }
  return DefaultRange(0.0);
}

bool ConstantSliders::SetRange(bool threeD, char name, const SliderRange& range) {
  if (!IsUsableRange(range)) {
    program_.SetStatus(std::string(BadRangeText));
    return false;
  }
  ranges_[{threeD, name}] = KeptRange{range, true};
  return true;
}

void ConstantSliders::KeepRange(bool threeD, const ConstantLine& constant) {
  ranges_.try_emplace({threeD, constant.name}, KeptRange{DefaultRange(constant.value), false});
}

bool ConstantSliders::SetValue(bool threeD, std::size_t line, double value, RunningBuild running) {
  const std::optional<ConstantLine> constant = Adjustable(threeD, line);
  if (!constant) return false;
  KeepRange(threeD, *constant);
  std::vector<std::string> lines = ListOf(program_, threeD);
  const std::optional<std::string> rewritten = RewriteConstantLine(lines[line], value);
  if (!rewritten) return false;
  lines[line] = *rewritten;
  const RebuildSpace space = threeD ? RebuildSpace::Space3D : RebuildSpace::Space2D;
  {
    // A drag or a play of one constant is one step of the history, however long.
    EditGroup step(program_.History(),
                   std::string("constant slider ") + (threeD ? "3D " : "2D ") + constant->name);
    writing_ = true;
    program_.Edits().SetConstants(threeD, lines);
    writing_ = false;
    program_.History().NoteRebuild(space);
  }
  rebuild_.Request(space, running);
  return true;
}

// Builds that follow a slider show no progress window: it would flash up for every
// picture of a drag. The program's own sink comes back when the build has ended.
void ConstantSliders::Build(RebuildSpace space) {
  if (programProgress_ == nullptr) {
    programProgress_ = &program_.Progress();
    program_.SetProgress(&silent_);
  }
  if (space == RebuildSpace::Space2D) {
    // The view keeps the last finished picture until the next one replaces it.
    program_.TwoD().BuildAll(BuildShowing::WhenFinished);
  } else {
    program_.ThreeD().BuildAll();
  }
  if (!program_.Busy()) RestoreProgress();
}

void ConstantSliders::RestoreProgress() {
  if (programProgress_ == nullptr) return;
  program_.SetProgress(programProgress_);
  programProgress_ = nullptr;
}

void ConstantSliders::WorkChanged() {
  if (program_.Busy()) return;
  RestoreProgress();
  rebuild_.WorkEnded();
}

bool ConstantSliders::StartPlay(bool threeD, std::size_t line, int stepsPerSecond) {
  const std::optional<ConstantLine> constant = Adjustable(threeD, line);
  if (!constant) return false;
  KeepRange(threeD, *constant);
  const SliderRange range = Range(threeD, constant->name);
  play_ = Play{threeD, line, constant->name, NearestStep(range, constant->value), 1};
  playTimer_.setInterval(PlayInterval(stepsPerSecond));
  playTimer_.start();
  if (observer_) observer_->PlayChanged();
  return true;
}

void ConstantSliders::SetPlaySpeed(int stepsPerSecond) {
  playTimer_.setInterval(PlayInterval(stepsPerSecond));
}

void ConstantSliders::StopPlay() {
  if (!play_) return;
  play_.reset();
  playTimer_.stop();
  if (observer_) observer_->PlayChanged();
}

std::optional<std::pair<bool, std::size_t>> ConstantSliders::PlayedLine() const {
  if (!play_) return std::nullopt;
  return std::make_pair(play_->threeD, play_->line);
}

void ConstantSliders::AdvancePlay() {
  if (!play_) return;
  const SliderRange range = Range(play_->threeD, play_->name);
  const int count = StepCount(range);
  int next = play_->step + play_->direction;
  // Turn at either bound, so the sweep runs up and down until stopped.
  if (next > count || next < 0) {
    play_->direction = -play_->direction;
    next = std::clamp(play_->step + play_->direction, 0, count);
  }
  play_->step = next;
  if (!SetValue(play_->threeD, play_->line, ValueAtStep(range, next), RunningBuild::Finish))
    StopPlay();
}

void ConstantSliders::DocumentChanged() {
  StopPlay();
  rebuild_.Cancel();
  ranges_.clear();
}

void ConstantSliders::ParametersChanged() {
  if (writing_) return;
  StopPlay();
  std::erase_if(ranges_, [](const auto& kept) { return !kept.second.typed; });
}

void ConstantSliders::SpaceChanged() {
  StopPlay();
}

void ConstantSliders::GraphsChanged() {
  StopPlay();
}

}  // namespace lw
