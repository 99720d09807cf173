#include "document/GraphListEditor.h"

#include <array>

#include "document/Cp1251.h"
#include "document/ParametricText.h"

namespace lw {
namespace {

constexpr std::string_view kTrailingJunk = " ;,.+-<>/*%^$&=!@#|`~(\t\r";

void MarkEmpty(PlotP& entry) {
  entry.Kind = EmptyCutBufferMark;
}
void MarkEmpty(PlotP3d& entry) {
  entry.Form = EmptyCutBufferMark;
}
bool IsEmptyMark(const PlotP& entry) {
  return entry.Kind == EmptyCutBufferMark;
}
bool IsEmptyMark(const PlotP3d& entry) {
  return static_cast<std::uint8_t>(entry.Form) == EmptyCutBufferMark;
}

PlotP DefaultEntry(const PlotP&, Colour colour) {
  return PlotP{colour, Function, 1, Equal};
}
PlotP3d DefaultEntry(const PlotP3d&, Colour colour) {
  return PlotP3d{colour, ZOfXY};
}

// The formulas of a parametric text named by their coordinates, then the ranges of
// the parameters; empty when the text does not have its parts.
std::string SpellParts(std::string_view text, std::size_t parts) {
  const auto split = SplitParts(text, parts);
  if (!split) return {};
  const std::vector<std::string>& p = *split;
  switch (parts) {
    case ParametricCurveParts:
      return " X = " + p[0] + " ; Y = " + p[1] + " ; T від " + p[2] + " до " + p[3];
    case PolarCurveParts:
      return " R = " + p[0] + " ; T від " + p[1] + " до " + p[2];
    default:
      return " X = " + p[0] + " ; Y = " + p[1] + " ; Z = " + p[2] + " ; U від " + p[3] + " до " +
             p[4] + " ; V від " + p[5] + " до " + p[6];
  }
}

}  // namespace

std::string CleanFormulaText(std::string_view text) {
  std::string cleaned(text);
  for (char& c : cleaned) {
    if (c == ',') c = '.';
  }
  while (!cleaned.empty() && kTrailingJunk.find(cleaned.back()) != std::string_view::npos) {
    cleaned.pop_back();
  }
  return cleaned;
}

std::string DescribeEntry(const PlotP& entry, std::string_view text) {
  static constexpr std::array<std::string_view, 5> kRelations{"= 0", "> 0", "< 0", ">= 0", "<= 0"};
  switch (entry.Kind) {
    case Function:
      return entry.Interpolated ? "Функція.Інтерпольована." : "Функція.";
    case Relation: {
      if (entry.Interpolated) return "Відношення.Інтерпольоване.Тип : = 0.";
      const std::string_view sign =
          entry.Relation < kRelations.size() ? kRelations[entry.Relation] : "";
      return "Відношення.Тип : " + std::string(sign) + ".";
    }
    case ColorGamma:
      return "Гамма кольорів.";
    case ParametricCurve:
    case PolarCurve: {
      std::string label = entry.Kind == ParametricCurve ? "Параметрична крива." : "Полярна крива.";
      if (entry.Interpolated) label += "Інтерпольована.";
      return label + SpellParts(text, PartsOfKind(entry.Kind));
    }
    default:
      return "";
  }
}

std::string DescribeEntry(const PlotP3d& entry, std::string_view text) {
  static constexpr std::array<std::string_view, 3> kForms{"Z = F ( X,Y ) .", "Y = F ( X,Z ) .",
                                                          "X = F ( Y,Z ) ."};
  const auto form = static_cast<std::uint8_t>(entry.Form);
  if (form == ParametricSurface) {
    return "Тип виразу : Параметрична поверхня." + SpellParts(text, ParametricSurfaceParts);
  }
  return "Тип виразу : " + std::string(form < kForms.size() ? kForms[form] : "");
}

template <class Entry>
GraphListEditor<Entry>::GraphListEditor(GraphList<Entry>& list) : list_(list) {
  MarkEmpty(cutEntry_);
}

template <class Entry>
void GraphListEditor<Entry>::Select(std::size_t index) {
  selection_ = index < list_.Count() ? std::optional(index) : std::nullopt;
}

template <class Entry>
void GraphListEditor<Entry>::ShowSelectedGraph() {
  if (selection_ && *selection_ >= list_.Count()) selection_.reset();
  if (!selection_ && !list_.Empty()) selection_ = 0;
}

template <class Entry>
void GraphListEditor<Entry>::ListReplaced() {
  selection_.reset();
  ShowSelectedGraph();
}

template <class Entry>
SelectedGraphDescription GraphListEditor<Entry>::Description() const {
  if (!selection_ || *selection_ >= list_.Count()) return {0, "Відсутній."};
  const Entry& entry = list_.At(*selection_);
  return {entry.Color, DescribeEntry(entry, list_.Text(*selection_))};
}

template <class Entry>
Entry GraphListEditor<Entry>::NewEntry(const Palette& palette) const {
  return DefaultEntry(Entry{}, palette.At(static_cast<int>(list_.Count() % PaletteEntries)));
}

template <class Entry>
bool GraphListEditor<Entry>::Add(std::string_view text, const Entry& entry) {
  std::string cleaned = CleanFormulaText(text);
  if (!IsStorableText(cleaned)) return false;
  list_.Append(std::move(cleaned), entry);
  ShowSelectedGraph();
  return true;
}

template <class Entry>
bool GraphListEditor<Entry>::Edit(std::string_view text, const Entry& entry) {
  if (!selection_ || *selection_ >= list_.Count()) return false;
  std::string cleaned = CleanFormulaText(text);
  if (!IsStorableText(cleaned)) return false;
  list_.Replace(*selection_, std::move(cleaned), entry);
  ShowSelectedGraph();
  return true;
}

template <class Entry>
void GraphListEditor<Entry>::Cut() {
  if (!selection_ || *selection_ >= list_.Count()) return;
  cutText_ = list_.Text(*selection_);
  cutEntry_ = list_.At(*selection_);
  list_.Remove(*selection_);
  // The list box loses its selection with the removed item.
  selection_.reset();
  ShowSelectedGraph();
}

template <class Entry>
void GraphListEditor<Entry>::Paste() {
  if (CutBufferEmpty()) return;
  if (selection_ && *selection_ < list_.Count()) {
    list_.Insert(*selection_ + 1, cutText_, cutEntry_);
  } else {
    list_.Append(cutText_, cutEntry_);
  }
  ShowSelectedGraph();
}

template <class Entry>
bool GraphListEditor<Entry>::CutBufferEmpty() const {
  return IsEmptyMark(cutEntry_);
}

template class GraphListEditor<PlotP>;
template class GraphListEditor<PlotP3d>;

}  // namespace lw
