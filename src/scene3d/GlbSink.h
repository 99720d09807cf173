// The glb file the mesh library writes, passed on to a sink as it is written instead
// of gathered in memory. The library's writer leaves room for the 12-byte header,
// writes the JSON chunk and the binary chunk in order, and then comes back to fill
// the header in; the header only holds the total length, which is known once the
// binary chunk's own header has been written. So the few kilobytes up to there are
// held, and everything after them passes straight on in pieces.
#pragma once

#include <assimp/IOStream.hpp>
#include <assimp/IOSystem.hpp>
#include <string>

#include "document/WorkControl.h"
#include "scene3d/MeshWriters.h"

namespace lw {

// What became of the passing on: the library only sees a write that did not go.
struct GlbSinkState {
  bool stopped = false;
  bool failed = false;
  bool complete = false;  // the header was written and matches what went on
};

class GlbWriteSystem : public Assimp::IOSystem {
 public:
  GlbWriteSystem(const MeshPieceSink& sink, const WorkControl* work, GlbSinkState& state)
      : sink_(sink), work_(work), state_(state) {}

  bool Exists(const char*) const override { return false; }
  char getOsSeparator() const override { return '/'; }
  // One file, written once.
  Assimp::IOStream* Open(const char* file, const char* mode) override;
  void Close(Assimp::IOStream* stream) override;

 private:
  const MeshPieceSink& sink_;
  const WorkControl* work_;
  GlbSinkState& state_;
  bool opened_ = false;
};

}  // namespace lw
