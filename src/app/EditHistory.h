// Undo and redo of the program's document: every notified change of the build
// parameters, the appearance, the graph lists or the palette, whoever made it, is
// recorded in a DocumentHistory; undo and redo put a recorded state back, show it in
// every window through the usual notices, and rebuild what the step had rebuilt.
// Opening or creating a document starts a fresh history.
//
// Callers that make many changes for one act of the user (a drag, wheel notches,
// a slider) bracket them with BeginGroup/EndGroup or an EditGroup, and say through
// NoteRebuild which space they rebuilt.
#pragma once

#include <string>
#include <string_view>

#include "app/DocumentHistory.h"
#include "app/ProgramObserver.h"
#include "app/RebuildRequest.h"

namespace lw {

class Program;

inline constexpr std::string_view UndoneText = "Скасовано";
inline constexpr std::string_view RedoneText = "Повторено";
inline constexpr std::string_view NothingToUndoText = "Нічого скасовувати";
inline constexpr std::string_view NothingToRedoText = "Нічого повторювати";

class EditHistory : private ProgramObserver {
 public:
  explicit EditHistory(Program& program);
  ~EditHistory() override;
  EditHistory(const EditHistory&) = delete;
  EditHistory& operator=(const EditHistory&) = delete;

  // The commands "Скасувати" and "Повторити": false, with a status text saying so,
  // when there is no step to take back or to bring back.
  bool Undo();
  bool Redo();
  bool CanUndo() const { return history_.UndoCount() > 0; }
  bool CanRedo() const { return history_.RedoCount() > 0; }

  // See DocumentHistory::BeginGroup: the changes up to the matching EndGroup are
  // one step; with a key, bursts of that key close together in time are one step.
  void BeginGroup(std::string key = {}) { history_.BeginGroup(std::move(key)); }
  void EndGroup() { history_.EndGroup(); }
  // The change just made rebuilt (or asked to rebuild) a space: undoing and redoing
  // it will too. Call it after the change.
  void NoteRebuild(RebuildSpace space);

  // The next change of a typed field starts a step of its own (after a save).
  void EndTypingStep() { history_.EndTyping(); }
  // A fresh history from the document as it stands (after start-up has set what it
  // sets without a notice).
  void Forget() { history_.Reset(Now()); }

  const DocumentHistory& Steps() const { return history_; }
  RebuildRequest& Rebuilds() { return rebuild_; }

 private:
  DocumentState Now() const;
  void Record();
  void Apply(const DocumentHistory::Move& move);

  // ProgramObserver
  void DocumentChanged() override;
  void ParametersChanged() override { Record(); }
  void AppearanceChanged() override { Record(); }
  void GraphsChanged() override { Record(); }
  void PaletteChanged() override { Record(); }
  // A wheel burst or a drag of the 2D view is one step, which rebuilds the view.
  void GestureBegan() override { BeginGroup(); }
  void GestureEnded() override;
  void WorkChanged() override;

  Program& program_;
  DocumentHistory history_;
  RebuildRequest rebuild_;
  bool applying_ = false;
};

// A group for the length of a scope.
class EditGroup {
 public:
  explicit EditGroup(EditHistory& history, std::string key = {}) : history_(history) {
    history_.BeginGroup(std::move(key));
  }
  ~EditGroup() { history_.EndGroup(); }
  EditGroup(const EditGroup&) = delete;
  EditGroup& operator=(const EditGroup&) = delete;

 private:
  EditHistory& history_;
};

}  // namespace lw
