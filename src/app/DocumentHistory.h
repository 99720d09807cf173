// The undo history of the document: the state after every change, held as a value
// copy of the document and the palette, so that going back puts back exactly what
// was there (the saved file byte for byte). Steps are not counted but weighed: the
// oldest go once the states held pass a memory limit. No widgets and no clock of its
// own (one is handed in), so every rule is tested without a display.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "document/Document.h"
#include "document/Palette.h"

namespace lw {

// What one step of the history holds: the document and the palette.
struct DocumentState {
  Document Doc;
  Palette Colours;
  bool operator==(const DocumentState&) const = default;
};

// The bytes a state takes in memory, near enough for the history's limit.
std::size_t StateSize(const DocumentState& state);

// What a step rebuilt when it was made, so that undoing and redoing it rebuild the
// same: bits of RebuildSpaces.
enum RebuildSpaces : unsigned { RebuildNone = 0, Rebuild2D = 1, Rebuild3D = 2 };

// Which part a change touched when it is one that typing repeats (one build field,
// one constants list, one number of the appearance); empty for any other change.
// Consecutive changes of the same part are one step.
std::string TypingKey(const DocumentState& before, const DocumentState& after);

class DocumentHistory {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  // 64 MiB: several thousand states of a large document, tens of thousands of a
  // usual one.
  static constexpr std::size_t DefaultMemoryLimit = std::size_t{64} << 20;
  // A burst (a group with a key) joins the step of the previous burst with the
  // same key when it starts within this time of that step's last change.
  static constexpr std::chrono::milliseconds BurstWindow{1000};

  explicit DocumentHistory(DocumentState current, std::size_t memoryLimit = DefaultMemoryLimit,
                           Clock clock = std::chrono::steady_clock::now);

  // A fresh history whose only state is current (a document opened or created).
  void Reset(DocumentState current);

  // The document now stands as now after a change: a new step, or the step on top
  // grown when the change continues it. False when now is the state on top.
  bool Record(const DocumentState& now);

  // Changes between BeginGroup and its EndGroup are one step; pairs may nest, the
  // outermost counts. With a key the group is a burst: it continues the step of the
  // previous burst with that key when it starts within BurstWindow of that step's
  // last change (and nothing else came between), so wheel notches or the moves of a
  // slider make one step however the caller cuts them into groups.
  void BeginGroup(std::string key = {});
  void EndGroup();
  // The open group has made or grown a step.
  bool GroupRecorded() const { return groupDepth_ > 0 && groupOnTop_; }
  bool InGroup() const { return groupDepth_ > 0; }

  // The step the last Record made or grew asked for a rebuild of spaces.
  void NoteRebuild(unsigned spaces);
  // The next change of a typed part starts a step of its own (a build, a save).
  void EndTyping();

  struct Move {
    DocumentState state;  // what the document is to become
    unsigned rebuild;     // RebuildSpaces of the step undone or redone
  };
  // The state before the step on top (the cursor moves back), or nothing.
  std::optional<Move> Undo();
  // The state after the step undone last, or nothing.
  std::optional<Move> Redo();

  std::size_t UndoCount() const { return cursor_; }
  std::size_t RedoCount() const { return states_.size() - 1 - cursor_; }
  const DocumentState& Current() const { return states_[cursor_].state; }
  std::size_t MemoryUsed() const { return memory_; }
  std::size_t MemoryLimit() const { return limit_; }

 private:
  enum class Kind { Typing, Burst, Other };
  struct Entry {
    DocumentState state;
    std::size_t size = 0;
    Kind kind = Kind::Other;
    std::string key;       // the typed part or the burst key
    unsigned rebuild = 0;  // of the step that led to this state
    std::chrono::steady_clock::time_point changed{};
    // A typing step that the same part's next change grows, or a burst that the next
    // burst of its key may join.
    bool open = true;
  };
  bool OnTop() const { return cursor_ + 1 == states_.size(); }
  void Grow(const DocumentState& now);
  void Push(const DocumentState& now, Kind kind, std::string key);
  void DropOldest();

  std::deque<Entry> states_;  // states_[0] is the oldest kept; states_[cursor_] is now
  std::size_t cursor_ = 0;
  std::size_t memory_ = 0;
  std::size_t limit_;
  Clock clock_;
  int groupDepth_ = 0;
  std::string groupKey_;
  bool groupOnTop_ = false;  // the group's step is the one on top
  bool touched_ = false;     // the last Record made or grew the step on top
};

}  // namespace lw
