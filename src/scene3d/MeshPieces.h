// The piece buffer of the mesh writers: records are formatted into about a megabyte,
// which then goes to the file at once, and the stop request is looked at between
// pieces. A piece takes a few milliseconds, so a stop is answered long before 0.1 s.
#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "document/WorkControl.h"
#include "scene3d/MeshWriters.h"

namespace lw {

class MeshPieces {
 public:
  static constexpr std::size_t kPiece = std::size_t{1} << 20;
  // The most one record may add before Next() is called: a facet of ASCII STL, a PLY
  // face, an OBJ group's lines (its name goes through Text).
  static constexpr std::size_t kRecord = 4096;

  MeshPieces(const MeshPieceSink& sink, const WorkControl* work) : sink_(sink), work_(work) {
    buffer_.resize(kPiece + kRecord);
  }

  void Raw(const void* data, std::size_t size) {
    std::memcpy(At(), data, size);
    used_ += size;
  }
  // A text of any length: a long one (an object's name from a file) goes out on its
  // own, so that a record stays within kRecord.
  bool Text(std::string_view text) {
    if (text.size() <= kRecord / 4) {
      Raw(text.data(), text.size());
      return Next();
    }
    return Hand() && Send(text);
  }
  void Char(char c) { buffer_[used_++] = c; }
  // Shortest text that reads back as the same float.
  void Number(float value) { used_ = Printed(std::to_chars(At(), At() + 32, value).ptr); }
  void Number(std::size_t value) { used_ = Printed(std::to_chars(At(), At() + 32, value).ptr); }

  // After every record: a full piece goes to the file. False once the writing has
  // ended (stopped or refused); the caller then stops formatting.
  bool Next() { return used_ < kPiece || Hand(); }
  // The rest, at the end.
  bool Finish() { return Hand(); }
  bool StoppedWork() const { return stopped_; }

 private:
  char* At() { return buffer_.data() + used_; }
  std::size_t Printed(const char* end) const {
    return static_cast<std::size_t>(end - buffer_.data());
  }
  bool Hand() {
    if (used_ == 0) return !ended_;
    const bool sent = Send({buffer_.data(), used_});
    used_ = 0;
    return sent;
  }
  bool Send(std::string_view piece) {
    if (ended_) return false;
    if (Stopped(work_)) {
      stopped_ = ended_ = true;
      return false;
    }
    if (!sink_(piece)) ended_ = true;
    return !ended_;
  }

  const MeshPieceSink& sink_;
  const WorkControl* work_;
  std::string buffer_;
  std::size_t used_ = 0;
  bool stopped_ = false, ended_ = false;
};

// Every triangle of the objects a mesh file holds, object by object, while f says go on.
template <class F>
bool ForEachWrittenTriangle(const G3dBlock& block, F&& f) {
  for (std::size_t i = 0; i < block.objects.size(); ++i) {
    if (LeftOutOfMeshFiles(block, i)) continue;
    const G3dObject& object = *block.objects[i];
    const bool whole =
        object.triangles.ForEachWhile([&](const G3dTriangle& t) { return f(object, t); });
    if (!whole) return false;
  }
  return true;
}

inline std::size_t WrittenTriangles(const G3dBlock& block) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < block.objects.size(); ++i) {
    if (!LeftOutOfMeshFiles(block, i)) count += block.objects[i]->triangles.size();
  }
  return count;
}

inline const G3dPoint& PointOf(const G3dObject& object, const G3dVertex& v) {
  return object.points[static_cast<std::size_t>(v.point)];
}

inline MeshWriteResult Outcome(MeshPieces& pieces, bool whole) {
  if (pieces.StoppedWork()) return MeshWriteResult::Stopped;
  return whole && pieces.Finish() ? MeshWriteResult::Written
         : pieces.StoppedWork()   ? MeshWriteResult::Stopped
                                  : MeshWriteResult::Failed;
}

inline void Triple(MeshPieces& pieces, float x, float y, float z) {
  pieces.Number(x);
  pieces.Char(' ');
  pieces.Number(y);
  pieces.Char(' ');
  pieces.Number(z);
  pieces.Char('\n');
}

inline void Literal(MeshPieces& pieces, std::string_view text) {
  pieces.Raw(text.data(), text.size());
}

// The writers of MeshObjPly.cpp.
MeshWriteResult WriteObjFile(const G3dBlock& block, const MeshSinks& sinks, MeshPieces& obj,
                             const WorkControl* work);
MeshWriteResult WritePlyFile(const G3dBlock& block, MeshPieces& pieces, const WorkControl* work);
// The writer of MeshGlb.cpp.
MeshWriteResult WriteGlbFile(const G3dBlock& block, MeshPieces& pieces, const WorkControl* work);

}  // namespace lw
