#include "app/DocumentHistory.h"

#include <array>
#include <utility>

namespace lw {

namespace {

std::size_t LinesSize(const std::vector<std::string>& lines) {
  std::size_t size = lines.capacity() * sizeof(std::string);
  for (const std::string& line : lines) size += line.size();
  return size;
}

template <class Entry>
std::size_t ListSize(const GraphList<Entry>& list) {
  return LinesSize(list.Texts()) + list.Count() * sizeof(Entry);
}

// The numbers of the appearance that a spin box types digit by digit.
using AppearanceNumber = int AppearanceSettings::*;
constexpr std::array<AppearanceNumber, 8> typedNumbers = {
    &AppearanceSettings::AxesLineWidth, &AppearanceSettings::GridLineWidth,
    &AppearanceSettings::SensitivityX,  &AppearanceSettings::SensitivityY,
    &AppearanceSettings::SensitivityZ,  &AppearanceSettings::SensitivityRX,
    &AppearanceSettings::SensitivityRY, &AppearanceSettings::SensitivityRZ,
};

std::string AppearanceKey(const AppearanceSettings& before, const AppearanceSettings& after) {
  for (std::size_t i = 0; i < typedNumbers.size(); ++i) {
    AppearanceSettings only = before;
    only.*typedNumbers[i] = after.*typedNumbers[i];
    if (only == after) return "appearance " + std::to_string(i);
  }
  return {};
}

std::string ParametersKey(const BuildParameters& before, const BuildParameters& after) {
  BuildParameters rest = after;
  rest.Constants2D = before.Constants2D;
  if (rest == before) return "constants 2D";
  rest = after;
  rest.Constants3D = before.Constants3D;
  if (rest == before) return "constants 3D";
  for (std::size_t i = 0; i < before.fields.size(); ++i) {
    if (before.fields[i] == after.fields[i]) continue;
    rest = after;
    rest.fields[i] = before.fields[i];
    return rest == before ? "field " + std::to_string(i + 1) : std::string();
  }
  return {};
}

}  // namespace

std::size_t StateSize(const DocumentState& state) {
  const Document& d = state.Doc;
  std::size_t size = sizeof(DocumentState) + d.Appearance.Font.FaceName.size();
  for (const std::string& field : d.Params.fields) size += field.size();
  size += LinesSize(d.Params.Constants2D) + LinesSize(d.Params.Constants3D);
  return size + ListSize(d.Graphs2D) + ListSize(d.Graphs3D);
}

std::string TypingKey(const DocumentState& before, const DocumentState& after) {
  const Document& b = before.Doc;
  const Document& a = after.Doc;
  if (before.Colours != after.Colours || b.Graphs2D != a.Graphs2D || b.Graphs3D != a.Graphs3D) {
    return {};
  }
  if (b.Params != a.Params) {
    return b.Appearance == a.Appearance ? ParametersKey(b.Params, a.Params) : std::string();
  }
  return AppearanceKey(b.Appearance, a.Appearance);
}

DocumentHistory::DocumentHistory(DocumentState current, std::size_t memoryLimit, Clock clock)
    : limit_(memoryLimit), clock_(std::move(clock)) {
  Reset(std::move(current));
}

void DocumentHistory::Reset(DocumentState current) {
  states_.clear();
  Entry first;
  first.size = StateSize(current);
  first.state = std::move(current);
  first.open = false;
  memory_ = first.size;
  states_.push_back(std::move(first));
  cursor_ = 0;
  groupOnTop_ = false;
  touched_ = false;
}

bool DocumentHistory::Record(const DocumentState& now) {
  if (now == Current()) return false;
  if (groupDepth_ > 0) {
    if (groupOnTop_ && OnTop() && cursor_ > 0) {
      Grow(now);
    } else {
      Push(now, groupKey_.empty() ? Kind::Other : Kind::Burst, groupKey_);
      groupOnTop_ = true;
    }
    return true;
  }
  std::string key = TypingKey(Current(), now);
  const Entry& top = states_[cursor_];
  if (!key.empty() && OnTop() && cursor_ > 0 && top.kind == Kind::Typing && top.open &&
      top.key == key) {
    Grow(now);
  } else {
    const Kind kind = key.empty() ? Kind::Other : Kind::Typing;
    Push(now, kind, std::move(key));
  }
  return true;
}

void DocumentHistory::Grow(const DocumentState& now) {
  Entry& top = states_[cursor_];
  memory_ -= top.size;
  top.state = now;
  top.size = StateSize(now);
  top.changed = clock_();
  memory_ += top.size;
  touched_ = true;
  // Typed back to what it was before: the step changes nothing and goes.
  if (top.state == states_[cursor_ - 1].state) {
    memory_ -= top.size;
    states_.pop_back();
    --cursor_;
    groupOnTop_ = false;
    touched_ = false;
  }
}

void DocumentHistory::Push(const DocumentState& now, Kind kind, std::string key) {
  // A change after undoing ends the steps that could have been redone.
  while (!OnTop()) {
    memory_ -= states_.back().size;
    states_.pop_back();
  }
  Entry entry;
  entry.state = now;
  entry.size = StateSize(now);
  entry.kind = kind;
  entry.key = std::move(key);
  entry.changed = clock_();
  memory_ += entry.size;
  states_.push_back(std::move(entry));
  ++cursor_;
  touched_ = true;
  DropOldest();
}

void DocumentHistory::DropOldest() {
  // The state the document stands in always stays, even past the limit.
  while (memory_ > limit_ && cursor_ > 0) {
    memory_ -= states_.front().size;
    states_.pop_front();
    --cursor_;
  }
}

void DocumentHistory::BeginGroup(std::string key) {
  if (groupDepth_++ > 0) return;
  const Entry& top = states_[cursor_];
  groupOnTop_ = !key.empty() && OnTop() && cursor_ > 0 && top.kind == Kind::Burst && top.open &&
                top.key == key && clock_() - top.changed <= BurstWindow;
  groupKey_ = std::move(key);
}

void DocumentHistory::EndGroup() {
  if (groupDepth_ == 0 || --groupDepth_ > 0) return;
  groupOnTop_ = false;
}

void DocumentHistory::NoteRebuild(unsigned spaces) {
  if (touched_ && cursor_ > 0) states_[cursor_].rebuild |= spaces;
}

void DocumentHistory::EndTyping() {
  if (states_[cursor_].kind == Kind::Typing) states_[cursor_].open = false;
}

std::optional<DocumentHistory::Move> DocumentHistory::Undo() {
  if (cursor_ == 0) return std::nullopt;
  const unsigned rebuild = states_[cursor_].rebuild;
  states_[cursor_].open = false;
  --cursor_;
  // The state gone back to is finished too: nothing typed or dragged next joins it.
  states_[cursor_].open = false;
  groupOnTop_ = false;
  touched_ = false;
  return Move{states_[cursor_].state, rebuild};
}

std::optional<DocumentHistory::Move> DocumentHistory::Redo() {
  if (OnTop()) return std::nullopt;
  ++cursor_;
  // A redone step is finished: typing after it starts a new one, and a burst that
  // comes after does not join it.
  states_[cursor_].open = false;
  groupOnTop_ = false;
  touched_ = false;
  return Move{states_[cursor_].state, states_[cursor_].rebuild};
}

}  // namespace lw
