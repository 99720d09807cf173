// The edits windows and the analysis tools make to the document: build-parameter
// texts, lists and flags, the appearance, and the graph lists with their selections.
// Each returns early when nothing changed and notifies the observers afterwards; the
// list edits are refused while long work reads the document.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/DocumentSession.h"
#include "app/LongWork.h"
#include "app/ProgramObserver.h"

namespace lw {

inline constexpr std::string_view UnstorableFormulaText =
    "Вираз не можна зберегти: символи поза кодовою сторінкою 1251 або понад 998 знаків";

class DocumentEditor {
 public:
  DocumentEditor(Document& document, DocumentSession& session, StatusSink& status, LongWork& work,
                 ProgramObservers& observers);
  DocumentEditor(const DocumentEditor&) = delete;
  DocumentEditor& operator=(const DocumentEditor&) = delete;

  const Document& Doc() const { return document_; }
  const GraphListEditor2D& Graphs2D() const { return session_.Graphs2D(); }
  const GraphListEditor3D& Graphs3D() const { return session_.Graphs3D(); }

  void SetField(ParamField field, const std::string& text);
  void SetConstants(bool threeD, const std::vector<std::string>& lines);
  void SetBuildFlags(bool centering, bool autoScale, bool xorDrawing);
  // The scales, the intervals and the centring flag as one change with one notice
  // (the view moved by hand, or brought back).
  void SetViewFields(const ViewFields2D& view);
  void SetAppearance(const AppearanceSettings& appearance);
  // The whole document takes the values of doc (undo, redo); the windows hear of the
  // parts that changed. A selection past the end of its restored list moves to the
  // first item.
  void Restore(const Document& doc);
  // The start-up selections of the appearance window's four lists (axes solid, grid
  // dotted, 3D polygons, motion turn), set without running their handlers.
  void ResetAppearanceLists();

  // A formula text the document could not store is refused with
  // UnstorableFormulaText (false).
  void Select2D(std::size_t index);
  void Select3D(std::size_t index);
  bool AddGraph2D(const std::string& text, const PlotP& entry);
  bool AddGraph3D(const std::string& text, const PlotP3d& entry);
  bool EditGraph2D(const std::string& text, const PlotP& entry);
  bool EditGraph3D(const std::string& text, const PlotP3d& entry);
  void CutGraph2D();
  void CutGraph3D();
  void PasteGraph2D();
  void PasteGraph3D();
  // Why the last add or edit of a graph was refused (UnstorableFormulaText or
  // BusyText), for the window the user typed it in.
  std::string_view Refusal() const { return refusal_; }

  // A gesture of the hand (a wheel burst, a drag, a run of keys) makes many changes
  // that are one step for the user. Begin and end bracket them and nest; observers
  // hear GestureBegan at the outermost begin and GestureEnded at the outermost end,
  // after the last change of the gesture. Changes made inside are notified as usual.
  void BeginGesture();
  void EndGesture();
  bool InGesture() const { return gestureDepth_ > 0; }

 private:
  bool StoreGraph(bool stored);
  bool RefuseWhileBusy();
  void Notify(void (ProgramObserver::*fn)()) { observers_.Notify(fn); }

  Document& document_;
  DocumentSession& session_;
  StatusSink& status_;
  LongWork& work_;
  ProgramObservers& observers_;
  std::string_view refusal_;
  int gestureDepth_ = 0;
};

// Brackets the changes of one gesture for as long as it lives.
class GestureScope {
 public:
  explicit GestureScope(DocumentEditor& edits) : edits_(edits) { edits_.BeginGesture(); }
  ~GestureScope() { edits_.EndGesture(); }
  GestureScope(const GestureScope&) = delete;
  GestureScope& operator=(const GestureScope&) = delete;

 private:
  DocumentEditor& edits_;
};

}  // namespace lw
