// The in-memory half of the DXF exchange: a block becomes layers and 3DFACE
// entities, and a DXF text becomes objects of a block. The file half is G3dFile.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "document/WorkControl.h"
#include "scene3d/G3dModel.h"

namespace lw {

struct Palette;

// Splits text into lines ended by CR, LF, CR LF or LF CR. Lines longer than the
// reader's 255-character buffer keep their first 255 characters; the rest of the
// line is skipped rather than spilling into the next read.
class DxfLineReader {
 public:
  static constexpr std::size_t MaxLineLength = 255;

  // The reader looks at the text without copying it; the text must outlive it.
  explicit DxfLineReader(std::string_view text) : text_(text) {}
  explicit DxfLineReader(std::string&&) = delete;
  bool AtEnd() const { return pos_ >= text_.size(); }
  std::string_view ReadLine();

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// A value line matches a keyword when the keyword begins with it; so an empty line
// matches every keyword.
inline bool MatchesKeyword(std::string_view line, std::string_view keyword) {
  return keyword.substr(0, line.size()) == line;
}

// The DXF text of a block, with CR LF line ends, handed to `sink` in pieces of
// about a megabyte so that a large mesh never needs its whole text in memory.
// Stops and returns false as soon as the sink refuses a piece or a stop is requested
// through `work`, whose threads format the faces (every core without one). The sink
// is called once at a time, in order, but not always on the calling thread: it takes
// a piece while the threads format the next ones.
using DxfSink = std::function<bool(std::string_view piece)>;
bool WriteDxf(const G3dBlock& block, const DxfSink& sink, const WorkControl* work = nullptr);

// The whole text at once, for small blocks and tests.
std::string WriteDxf(const G3dBlock& block);

enum class DxfReadResult {
  Read,
  NotDxf,   // no section structure: some other kind of file
  Stopped,  // the work was asked to stop
};

// Replaces the content of `block` with the layers and faces of `text`; colour
// numbers become colours through `palette3D`. Within a drawing, anything unreadable
// reads as 0 or is skipped. A text without a "0 / SECTION" group is not a
// drawing at all, and a stop through `work` ends the read early: in both cases
// the block keeps what it held.
DxfReadResult ReadDxf(std::string_view text, G3dBlock& block, const Palette& palette3D,
                      const WorkControl* work = nullptr);

}  // namespace lw
