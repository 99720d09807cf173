// The operations of a graph list as its window offers them: add, edit, cut, paste
// and the description of the selected entry. The window only forwards clicks and
// dialog results here and shows what this model says, so every rule holds (and is
// tested) without a display.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/GraphLists.h"
#include "document/Palette.h"

namespace lw {

// The kind (2D) or form (3D) byte that marks a cut buffer that was never filled.
inline constexpr std::uint8_t EmptyCutBufferMark = 100;

// Replaces every ',' by '.', then drops trailing blanks, operator characters and
// the like, which a formula cannot end with; letters keep their case.
std::string CleanFormulaText(std::string_view text);

// What the line "Виділений графік :" shows: the swatch colour and the label text.
struct SelectedGraphDescription {
  Colour Swatch = 0;
  std::string Label;
  bool operator==(const SelectedGraphDescription&) const = default;
};

// The curves and the parametric surface also spell out their formulas from the text
// ("X = 5*COS(T) ; Y = 5*SIN(T) ; T від 0 до 2*P"); the other kinds ignore it.
std::string DescribeEntry(const PlotP& entry, std::string_view text = {});
std::string DescribeEntry(const PlotP3d& entry, std::string_view text = {});

template <class Entry>
class GraphListEditor {
 public:
  explicit GraphListEditor(GraphList<Entry>& list);

  std::optional<std::size_t> Selection() const { return selection_; }
  // A click on a list item; an index past the end clears the selection.
  void Select(std::size_t index);
  // Selects the first item when nothing is selected and the list is not empty; runs
  // after every change of the list (and after a document load).
  void ShowSelectedGraph();
  SelectedGraphDescription Description() const;
  // The whole list was replaced (a document load): the old selection means nothing,
  // so the first item, if any, becomes selected.
  void ListReplaced();

  // What the graph-parameters dialog proposes for a new entry: the palette colour
  // numbered by the current entry count.
  Entry NewEntry(const Palette& palette) const;

  // Stores an accepted dialog. The text is cleaned first; a cleaned text that a
  // settings file could not hold is refused (false) and nothing changes.
  bool Add(std::string_view text, const Entry& entry);
  bool Edit(std::string_view text, const Entry& entry);  // the selected entry; false if none

  void Cut();
  void Paste();
  bool CutBufferEmpty() const;
  const std::string& CutText() const { return cutText_; }
  const Entry& CutEntry() const { return cutEntry_; }

  const GraphList<Entry>& List() const { return list_; }

 private:
  GraphList<Entry>& list_;
  std::optional<std::size_t> selection_;
  std::string cutText_;
  Entry cutEntry_;
};

using GraphListEditor2D = GraphListEditor<PlotP>;
using GraphListEditor3D = GraphListEditor<PlotP3d>;

extern template class GraphListEditor<PlotP>;
extern template class GraphListEditor<PlotP3d>;

}  // namespace lw
