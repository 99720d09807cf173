// The 2D and 3D graph lists: formula texts and entry records kept in step
// (entry i belongs to text i under every operation).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lw {

// Colours are 0x00BBGGRR throughout the core.
using Colour = std::uint32_t;

// Kinds 3 and 4 are curves of the parameter T, written as several formulas in one
// text (document/ParametricText.h).
enum PlotKind : std::uint8_t {
  Function = 0,
  Relation = 1,
  ColorGamma = 2,
  ParametricCurve = 3,
  PolarCurve = 4,
};
enum RelationSign : std::uint8_t {
  Equal = 0,
  Greater = 1,
  Less = 2,
  GreaterOrEqual = 3,
  LessOrEqual = 4,
};

struct PlotP {
  Colour Color = 0;
  std::uint8_t Kind = Function;
  std::uint8_t Interpolated = 0;
  std::uint8_t Relation = Equal;
  bool operator==(const PlotP&) const = default;
};

enum SurfaceForm : std::uint8_t { ZOfXY = 0, YOfXZ = 1, XOfYZ = 2, ParametricSurface = 3 };

struct PlotP3d {
  Colour Color = 0;
  std::uint32_t Form = ZOfXY;  // only the low byte is read
  bool operator==(const PlotP3d&) const = default;
};

template <class Entry>
class GraphList {
 public:
  std::size_t Count() const { return texts_.size(); }
  bool Empty() const { return texts_.empty(); }
  const std::string& Text(std::size_t i) const { return texts_[i]; }
  const Entry& At(std::size_t i) const { return entries_[i]; }
  const std::vector<std::string>& Texts() const { return texts_; }

  void Append(std::string text, const Entry& entry) {
    texts_.push_back(std::move(text));
    entries_.push_back(entry);
  }
  void Insert(std::size_t i, std::string text, const Entry& entry) {
    texts_.insert(texts_.begin() + static_cast<std::ptrdiff_t>(i), std::move(text));
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(i), entry);
  }
  void Replace(std::size_t i, std::string text, const Entry& entry) {
    texts_[i] = std::move(text);
    entries_[i] = entry;
  }
  void Remove(std::size_t i) {
    texts_.erase(texts_.begin() + static_cast<std::ptrdiff_t>(i));
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
  }
  void Clear() {
    texts_.clear();
    entries_.clear();
  }

  bool operator==(const GraphList&) const = default;

 private:
  std::vector<std::string> texts_;
  std::vector<Entry> entries_;
};

using PlotList2D = GraphList<PlotP>;
using PlotList3D = GraphList<PlotP3d>;

}  // namespace lw
