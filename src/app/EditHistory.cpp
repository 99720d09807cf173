#include "app/EditHistory.h"

#include "app/Program.h"
#include "app/Program2D.h"
#include "app/Program3D.h"

namespace lw {

EditHistory::EditHistory(Program& program)
    : program_(program),
      history_(Now()),
      rebuild_(RebuildRunner{[this](RebuildSpace space) {
                               if (space == RebuildSpace::Space2D) {
                                 program_.TwoD().BuildAll();
                               } else {
                                 program_.ThreeD().BuildAll();
                               }
                             },
                             [this] { return program_.Busy(); }, [this] { program_.DropWork(); }}) {
  program_.Observers().Add(this);
}

EditHistory::~EditHistory() {
  program_.Observers().Remove(this);
}

DocumentState EditHistory::Now() const {
  return DocumentState{program_.Doc(), program_.Pal()};
}

void EditHistory::Record() {
  if (!applying_) history_.Record(Now());
}

void EditHistory::NoteRebuild(RebuildSpace space) {
  history_.NoteRebuild(space == RebuildSpace::Space2D ? Rebuild2D : Rebuild3D);
}

void EditHistory::GestureEnded() {
  if (history_.GroupRecorded()) NoteRebuild(RebuildSpace::Space2D);
  EndGroup();
}

bool EditHistory::Undo() {
  const auto move = history_.Undo();
  if (!move) {
    program_.SetStatus(std::string(NothingToUndoText));
    return false;
  }
  Apply(*move);
  program_.SetStatus(std::string(UndoneText));
  program_.StartStatusTimer();
  return true;
}

bool EditHistory::Redo() {
  const auto move = history_.Redo();
  if (!move) {
    program_.SetStatus(std::string(NothingToRedoText));
    return false;
  }
  Apply(*move);
  program_.SetStatus(std::string(RedoneText));
  program_.StartStatusTimer();
  return true;
}

// The document and the palette take the recorded values; the windows hear of it as
// of any edit. What only a handler of the appearance window sets (the label font of
// the picture, the 3D drawing mode and motion) is set here when it changed.
void EditHistory::Apply(const DocumentHistory::Move& move) {
  const AppearanceSettings before = program_.Doc().Appearance;
  const AppearanceSettings& after = move.state.Doc.Appearance;
  applying_ = true;
  program_.Edits().Restore(move.state.Doc);
  if (before.Font != after.Font) program_.TwoD().ApplyLabelFont();
  if (before.DrawMode3D != after.DrawMode3D) program_.ThreeD().SetDrawMode(after.DrawMode3D);
  if (before.MotionType != after.MotionType) program_.ThreeD().SetMotionType(after.MotionType);
  program_.SetPalette(move.state.Colours);
  applying_ = false;
  if (move.rebuild & Rebuild2D) rebuild_.Request(RebuildSpace::Space2D);
  if (move.rebuild & Rebuild3D) rebuild_.Request(RebuildSpace::Space3D);
}

void EditHistory::DocumentChanged() {
  rebuild_.Cancel();
  history_.Reset(Now());
}

void EditHistory::WorkChanged() {
  if (program_.Busy()) {
    // A build reads the fields as typed so far: what is typed after it is a new step.
    history_.EndTyping();
  } else {
    rebuild_.WorkEnded();
  }
}

}  // namespace lw
